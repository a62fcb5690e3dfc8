#include "platform/framework/UNavServicesDialogs.h"

#include "platform/framework/LDocument.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/URefusedFiles.h"
#include "platform/toolbox/FileForks.h"
#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr OSType kAnyType = FOUR_CHAR_CODE("????");
constexpr OSType kTextType = FOUR_CHAR_CODE("TEXT");

const QString& AllFilesFilter()
{
	static const QString filter = QStringLiteral("All files (*)");
	return filter;
}

std::vector<UNavServicesDialogs::tDocumentKind>& Kinds()
{
	static std::vector<UNavServicesDialogs::tDocumentKind> sKinds;
	return sKinds;
}

const UNavServicesDialogs::tDocumentKind* FindKind(OSType inType)
{
	for (const auto& kind : Kinds())
		if (kind.type == inType)
			return &kind;
	return nullptr;
}

QString DefaultTitle(UNavServicesDialogs::tDialogOptions::Mode inMode)
{
	using Options = UNavServicesDialogs::tDialogOptions;
	switch (inMode) {
	case Options::kChooseFolder:
		return QStringLiteral("Choose a Folder");
	case Options::kOpenFile:
		return QStringLiteral("Open");
	case Options::kSaveFile:
		return QStringLiteral("Save As");
	}
	return QString();
}

// Lists only the files of a document kind while the dialog's first name filter is chosen; folders are
// always listed, so that the user can move about.
class DocumentFilter : public QSortFilterProxyModel
{
public:
	DocumentFilter(QFileDialog* inDialog, QString inFilter, std::function<bool(const QString&)> inLists)
	    : QSortFilterProxyModel(inDialog), mDialog(inDialog), mFilter(std::move(inFilter)),
	      mLists(std::move(inLists))
	{
		connect(inDialog, &QFileDialog::filterSelected, this, [this] { invalidateFilter(); });
	}

protected:
	bool filterAcceptsRow(int inRow, const QModelIndex& inParent) const override
	{
		const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
		// With the patterns hidden, Qt names the chosen filter by its label alone.
		const QString chosen = mDialog->selectedNameFilter();
		if (files == nullptr ||
		    (chosen != mFilter && chosen != mFilter.section(QStringLiteral(" ("), 0, 0)))
			return true;
		const QModelIndex index = files->index(inRow, 0, inParent);
		return files->isDir(index) || mLists(files->filePath(index));
	}

private:
	QFileDialog* mDialog;
	QString mFilter;
	std::function<bool(const QString&)> mLists;
};

// Anything under the name, a link to nowhere too, is a file the user would replace.
bool NameStands(const QString& inPath)
{
	struct stat st;
	return lstat(QFile::encodeName(inPath).constData(), &st) == 0;
}

// The chosen item's spec; a name that Mac Roman cannot hold, which would otherwise name another file, is
// refused and told.
OSErr MakeSpec(const QString& inPath, FSSpec* outSpec)
{
	const QFileInfo info(inPath);
	const OSErr err = FSPathMakeFSSpec(QDir::cleanPath(info.absoluteFilePath()).toStdString(), outSpec);
	if (err == bdNamErr) {
		Str255 name;
		PascalStrings::FromString(MacRoman::FromUTF8Spelled(info.fileName().toStdString()), name);
		ParamText(name, nullptr, nullptr, nullptr);
		UModalAlerts::Show(kAlertStop, UNavServicesDialogs::ALRT_NameNotUsable);
	}
	return err;
}

// Qt's dialog. Its Save asks before replacing a file from the same look at the disk that tells whether
// the chosen name was new, taken as the user accepts: a file that another program puts there while the
// dialog closes is then no file the user agreed to replace. A name that cannot be used keeps it open.
class FileDialog : public QFileDialog
{
public:
	using QFileDialog::QFileDialog;
	bool Replacing() const { return mReplacing; }

	void accept() override
	{
		const QStringList files = selectedFiles();
		mChosen.clear();
		// A folder's name opens that folder.
		if (acceptMode() != AcceptSave || files.isEmpty() || QFileInfo(files.first()).isDir()) {
			QFileDialog::accept();
			return;
		}
		const QString typed = TypedPath();
		const QString chosen =
		    UNavServicesDialogs::FollowFolder(typed.isEmpty() ? files.first() : typed);
		FSSpec spec;
		if (!UNavServicesDialogs::LooksUsableToSave(chosen) || MakeSpec(chosen, &spec) == bdNamErr)
			return;
		const bool stands = NameStands(chosen);
		if (stands && !UNavServicesDialogs::AgreesToReplace(this, QFileInfo(chosen).fileName()))
			return;
		mReplacing = stands;
		mChosen = chosen;
		QFileDialog::accept();
	}
	// The name to save to that the user accepted, its folder found once; empty for any other choice.
	const QString& Chosen() const { return mChosen; }

private:
	// A path typed in the name field. Qt hands back the file its list shows under that path read as text,
	// where a ".." after a link leads back into the folder the link stands in.
	QString TypedPath() const
	{
		const auto* field = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
		const QString typed = field ? field->text() : QString();
		if (!typed.contains(QLatin1Char('/')) || typed.startsWith(QLatin1Char('~')) ||
		    typed.contains(QLatin1Char('"')))
			return QString();
		return QDir::isAbsolutePath(typed) ? typed
		                                   : directory().absolutePath() + QLatin1Char('/') + typed;
	}

	bool mReplacing = false;
	QString mChosen;
};

std::unique_ptr<FileDialog> MakeDialog(const UNavServicesDialogs::tDialogOptions& inOptions)
{
	using Options = UNavServicesDialogs::tDialogOptions;
	auto dialog = std::make_unique<FileDialog>(QApplication::activeWindow());
	// Qt's own dialog in every mode: a desktop's dialog runs no loop of ours that a quit could end.
	dialog->setOption(QFileDialog::DontUseNativeDialog);
	// Qt's dialog has no place for a prompt: it titles the window when nothing else does.
	dialog->setWindowTitle(!inOptions.title.isEmpty()     ? inOptions.title
	                       : !inOptions.message.isEmpty() ? inOptions.message
	                                                      : DefaultTitle(inOptions.mode));
	if (!inOptions.directory.isEmpty())
		dialog->setDirectory(inOptions.directory);
	switch (inOptions.mode) {
	case Options::kChooseFolder:
		dialog->setFileMode(QFileDialog::Directory);
		dialog->setOption(QFileDialog::ShowDirsOnly);
		break;
	case Options::kOpenFile:
		dialog->setFileMode(inOptions.multiple ? QFileDialog::ExistingFiles
		                                       : QFileDialog::ExistingFile);
		if (!inOptions.nameFilters.isEmpty())
			dialog->setNameFilters(inOptions.nameFilters);
		if (inOptions.firstFilterLists && !inOptions.nameFilters.isEmpty()) {
			dialog->setOption(QFileDialog::HideNameFilterDetails);
			dialog->setProxyModel(new DocumentFilter(dialog.get(), inOptions.nameFilters.first(),
			                                         inOptions.firstFilterLists));
		}
		break;
	case Options::kSaveFile:
		dialog->setFileMode(QFileDialog::AnyFile);
		dialog->setAcceptMode(QFileDialog::AcceptSave);
		// FileDialog asks itself.
		dialog->setOption(QFileDialog::DontConfirmOverwrite);
		dialog->selectFile(inOptions.defaultName);
		break;
	}
	if (inOptions.showHidden)
		dialog->setFilter(dialog->filter() | QDir::Hidden);
	return dialog;
}

UNavServicesDialogs::Chooser& CurrentChooser()
{
	static UNavServicesDialogs::Chooser sChooser;
	return sChooser;
}

UNavServicesDialogs::UnusableTeller& CurrentTeller()
{
	static UNavServicesDialogs::UnusableTeller sTeller;
	return sTeller;
}

QString& LastFolder()
{
	static QString sFolder;
	return sFolder;
}

QString FromMacRoman(const char* inText)
{
	return inText ? QStringFromMacRoman(inText) : QString();
}

std::string FolderDetail(const QString& inFolder)
{
	return MacRoman::FromUTF8Spelled(QDir::cleanPath(inFolder).toStdString());
}

} // namespace

UNavServicesDialogs::Chooser UNavServicesDialogs::SetChooser(Chooser inChooser)
{
	Chooser previous = std::move(CurrentChooser());
	CurrentChooser() = std::move(inChooser);
	return previous;
}

UNavServicesDialogs::UnusableTeller UNavServicesDialogs::SetUnusableTeller(UnusableTeller inTeller)
{
	UnusableTeller previous = std::move(CurrentTeller());
	CurrentTeller() = std::move(inTeller);
	return previous;
}

void UNavServicesDialogs::TellUnusable(const QFileInfo& inChoice, SInt16 inReason,
                                       const std::string& inDetail)
{
	tUnusableChoice choice;
	choice.name = MacRoman::FromUTF8Spelled(inChoice.fileName().toStdString());
	choice.reason = LDocument::SaveFailureReason(inReason, inDetail);
	TellUnusable(choice);
}

void UNavServicesDialogs::TellUnusable(const tUnusableChoice& inChoice)
{
	if (CurrentTeller()) {
		CurrentTeller()(inChoice);
		return;
	}
	Str255 name, reason;
	PascalStrings::FromString(inChoice.name, name);
	PascalStrings::FromString(inChoice.reason, reason);
	ParamText(name, reason, nullptr, nullptr);
	UModalAlerts::Show(kAlertStop, ALRT_ChoiceNotUsable);
}

namespace
{
// Not cleaned as text: a ".." after a link is the kernel's to follow.
std::string AbsoluteName(const QString& inPath)
{
	return QFile::encodeName(
	           QDir::isAbsolutePath(inPath) ? inPath : QDir::currentPath() + QLatin1Char('/') + inPath)
	    .toStdString();
}
} // namespace

QString UNavServicesDialogs::FollowFolder(const QString& inPath)
{
	if (!QDir::isAbsolutePath(inPath))
		return inPath;
	return QFile::decodeName(
	    QByteArray::fromStdString(fileforks::FollowFolder(QFile::encodeName(inPath).toStdString())));
}

bool UNavServicesDialogs::LooksUsableToSave(const QString& inPath)
{
	const QFileInfo info(inPath);
	std::string target;
	const fileforks::FollowResult followed = fileforks::FollowPath(AbsoluteName(inPath), &target);
	struct stat st;
	switch (followed.kind) {
	case fileforks::FollowResult::kNew:
		return true;
	case fileforks::FollowResult::kFound:
		// Gone since: a new name.
		if (lstat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode))
			return true;
		TellUnusable({MacRoman::FromUTF8Spelled(info.fileName().toStdString()),
		              LDocument::NotAFileReason(target)});
		return false;
	case fileforks::FollowResult::kDanglingLink:
		TellUnusable(info, kReasonDanglingLink);
		return false;
	case fileforks::FollowResult::kUntrustedLink:
		TellUnusable(info, kReasonUntrustedLink);
		return false;
	case fileforks::FollowResult::kError:
		break;
	}
	// Any other error is the save's to tell, with its own reason.
	if (followed.error != ENOENT && followed.error != ENOTDIR)
		return true;
	TellUnusable(info, kReasonNoFolder, FolderDetail(info.absolutePath()));
	return false;
}

bool UNavServicesDialogs::AgreesToReplace(QDialog* inDialog, const QString& inName)
{
	QPointer<QDialog> dialog = inDialog;
	QPointer<QMessageBox> question =
	    new QMessageBox(QMessageBox::Warning, inDialog->windowTitle(),
	                    QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(inName),
	                    QMessageBox::Yes | QMessageBox::No, inDialog);
	question->setDefaultButton(QMessageBox::No);
	const int answer = StModalLoop::Exec(*question);
	delete question.data();
	// A quit, or the window the dialog belongs to going, ends the dialog while the question waits.
	return dialog && dialog->isVisible() && answer == QMessageBox::Yes;
}

std::unique_ptr<QFileDialog> UNavServicesDialogs::MakeQtDialog(const tDialogOptions& inOptions)
{
	return MakeDialog(inOptions);
}

void UNavServicesDialogs::RegisterDocumentKind(const tDocumentKind& inKind)
{
	auto& kinds = Kinds();
	kinds.erase(std::remove_if(kinds.begin(), kinds.end(),
	                           [&](const tDocumentKind& kind) { return kind.type == inKind.type; }),
	            kinds.end());
	kinds.push_back(inKind);
}

bool UNavServicesDialogs::IsDocumentOfKind(const QString& inPath, const tDocumentKind& inKind)
{
	const OSType stored = FileTypeAtPath(QFile::encodeName(inPath).toStdString());
	if (stored != 0)
		return stored == inKind.type;
	// Only a plain file, opened without waiting: a named pipe would hold the open until a program wrote
	// to it, and a device may act on being opened.
	const QByteArray path = QFile::encodeName(inPath);
	struct stat st;
	if (stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
		return false;
	const int fd = open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
	if (fd < 0)
		return false;
	unsigned char head[4];
	const bool read4 = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && read(fd, head, 4) == 4;
	close(fd);
	if (!read4)
		return false;
	UInt32 tag = 0;
	for (unsigned char c : head)
		tag = (tag << 8) | c;
	return std::find(inKind.tags.begin(), inKind.tags.end(), tag) != inKind.tags.end();
}

void UNavServicesDialogs::Install()
{
	TVyFileUtils::SetNavHandler(&UNavServicesDialogs::Answer);
}

void UNavServicesDialogs::ForgetLastFolder()
{
	LastFolder().clear();
}

QString UNavServicesDialogs::StartFolder()
{
	if (!LastFolder().isEmpty() && QFileInfo(LastFolder()).isDir())
		return LastFolder();
	// The XDG documents folder, which is the home folder when the user has none.
	const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
	if (!documents.isEmpty() && QFileInfo(documents).isDir())
		return documents;
	return QDir::homePath();
}

QStringList UNavServicesDialogs::NameFiltersFor(OSType inFileType, UInt32 inFlags)
{
	QStringList filters;
	if (inFileType == 0 || inFileType == kAnyType)
		return filters;
	if (const tDocumentKind* kind = FindKind(inFileType))
		return {kind->name + QStringLiteral(" (*)"), AllFilesFilter()};
	// Other types have no recognisable contents: only those with customary name endings narrow the list,
	// any other type lists every file.
	if (inFileType == kTextType)
		filters << QStringLiteral("Text files (*.txt *.text *.csv *.tsv)");
	if (filters.isEmpty() || (inFlags & kNavAllFilesInPopup))
		filters << AllFilesFilter();
	return filters;
}

QStringList UNavServicesDialogs::Choose(const tDialogOptions& inOptions, bool* outReplacing)
{
	tDialogOptions options = inOptions;
	options.directory = StartFolder();
	QStringList chosen;
	bool replacing = false;
	const bool saving = options.mode == tDialogOptions::kSaveFile;
	if (CurrentChooser()) {
		chosen = CurrentChooser()(options);
		// A stand-in accepts as it returns.
		if (saving && !chosen.isEmpty()) {
			chosen.first() = FollowFolder(chosen.first());
			replacing = NameStands(chosen.first());
		}
	} else {
		FileDialog* dialog = MakeDialog(options).release();
		StModalLoop::ExecAndDelete(dialog, [&] {
			chosen = dialog->selectedFiles();
			if (saving && !dialog->Chosen().isEmpty())
				chosen = QStringList{dialog->Chosen()};
			replacing = dialog->Replacing();
		});
	}
	if (outReplacing)
		*outReplacing = replacing;
	return chosen;
}

bool UNavServicesDialogs::SpecFromChoice(const QString& inPath, tDialogOptions::Mode inMode, FSSpec& outSpec)
{
	if (inPath.isEmpty())
		return false;
	const QFileInfo info(inPath);
	if (!info.isAbsolute())
		return false;
	// The folder may have gone, or never been there when its name was typed, by the time the dialog
	// answers.
	switch (inMode) {
	case tDialogOptions::kChooseFolder:
		if (!info.isDir()) {
			TellUnusable(info, kReasonNoFolder, FolderDetail(info.absoluteFilePath()));
			return false;
		}
		break;
	case tDialogOptions::kOpenFile: // files to open are judged by URefusedFiles
		return false;
	case tDialogOptions::kSaveFile:
		if (!LooksUsableToSave(inPath))
			return false;
		break;
	}
	FSSpec spec;
	if (MakeSpec(inPath, &spec) != noErr)
		return false;
	outSpec = spec;
	LastFolder() = inMode == tDialogOptions::kChooseFolder ? QDir::cleanPath(info.absoluteFilePath())
	                                                       : info.absolutePath();
	return true;
}

bool UNavServicesDialogs::AskChooseFolder(FSSpec& outFolderSpec, const char* inMessage)
{
	tDialogOptions options;
	options.mode = tDialogOptions::kChooseFolder;
	options.message = FromMacRoman(inMessage);
	const QStringList chosen = Choose(options);
	return !chosen.isEmpty() && SpecFromChoice(chosen.first(), options.mode, outFolderSpec);
}

bool UNavServicesDialogs::AskOpenOneFile(OSType inFileType, FSSpec& outFileSpec, UInt32 inFlags,
                                         const char* inMessage, const char* inTitle)
{
	std::vector<FSSpec> specs;
	if (!AskOpenFiles(inFileType, specs, inFlags & ~kNavAllowMultipleFiles, inMessage, inTitle))
		return false;
	outFileSpec = specs.front();
	return true;
}

bool UNavServicesDialogs::AskOpenFiles(OSType inFileType, std::vector<FSSpec>& outFileSpecs, UInt32 inFlags,
                                       const char* inMessage, const char* inTitle)
{
	tDialogOptions options;
	options.mode = tDialogOptions::kOpenFile;
	const tDocumentKind* kind = FindKind(inFileType);
	options.title = inTitle ? FromMacRoman(inTitle) : kind ? kind->openTitle : QString();
	options.message = FromMacRoman(inMessage);
	options.nameFilters = NameFiltersFor(inFileType, inFlags);
	if (kind)
		options.firstFilterLists = [kind = *kind](const QString& path) {
			return IsDocumentOfKind(path, kind);
		};
	options.multiple = (inFlags & kNavAllowMultipleFiles) != 0;
	options.showHidden = (inFlags & kNavAllowInvisibleFiles) != 0;
	outFileSpecs.clear();
	QStringList chosen = Choose(options);
	if (!options.multiple && chosen.size() > 1)
		chosen.erase(chosen.begin() + 1, chosen.end());
	// A chosen file may have gone or changed since the dialog listed it: it is judged as a script's file
	// would be, and the refused ones are named in one alert.
	std::vector<URefusedFiles::tRefusal> refused;
	for (const QString& path : chosen) {
		if (path.isEmpty() || !QFileInfo(path).isAbsolute())
			continue;
		URefusedFiles::tRefusal refusal;
		FSSpec spec;
		if (URefusedFiles::Refused(path.toStdString(), &refusal, &spec)) {
			refused.push_back(refusal);
		} else {
			outFileSpecs.push_back(spec);
			LastFolder() = QFileInfo(path).absolutePath();
		}
	}
	URefusedFiles::Show(refused);
	return !outFileSpecs.empty();
}

bool UNavServicesDialogs::AskSaveFile(ConstStr255Param inDefaultName, OSType inFileType, FSSpec& outFileSpec,
                                      bool& outReplacing, UInt32 inFlags, const char* inTitle)
{
	tDialogOptions options;
	options.mode = tDialogOptions::kSaveFile;
	const tDocumentKind* kind = FindKind(inFileType);
	options.title = inTitle ? FromMacRoman(inTitle) : kind ? kind->saveTitle : QString();
	options.defaultName = QStringFromPascal(inDefaultName);
	options.showHidden = (inFlags & kNavAllowInvisibleFiles) != 0;
	bool replacing = false;
	const QStringList chosen = Choose(options, &replacing);
	if (chosen.isEmpty() || !SpecFromChoice(chosen.first(), options.mode, outFileSpec))
		return false;
	outReplacing = replacing;
	return true;
}

tNavReply UNavServicesDialogs::Answer(const tNavRequest& inRequest)
{
	tNavReply reply;
	switch (inRequest.kind) {
	case tNavRequest::kChooseFolder:
		reply.accepted = AskChooseFolder(reply.spec, inRequest.message);
		break;
	case tNavRequest::kChooseFile:
		reply.accepted = AskOpenFiles(inRequest.fileType, reply.specs, inRequest.optionFlags,
		                              inRequest.message, inRequest.title);
		if (reply.accepted)
			reply.spec = reply.specs.front();
		break;
	case tNavRequest::kSaveFile: {
		Str255 defaultName = {0};
		const std::string_view name = inRequest.defaultName ? inRequest.defaultName : "";
		defaultName[0] = UInt8(std::min<size_t>(name.size(), 255));
		std::copy_n(name.begin(), defaultName[0], defaultName + 1);
		reply.accepted = AskSaveFile(defaultName, inRequest.fileType, reply.spec, reply.replacing,
		                             inRequest.optionFlags, inRequest.title);
		break;
	}
	}
	return reply;
}
