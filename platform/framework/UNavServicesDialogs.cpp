#include "platform/framework/UNavServicesDialogs.h"

#include "platform/toolbox/gui/MacRomanQString.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <algorithm>
#include <string_view>

namespace
{

constexpr OSType kAnyType = FOUR_CHAR_CODE("????");
constexpr OSType kTextType = FOUR_CHAR_CODE("TEXT");

const QString& AllFilesFilter()
{
	static const QString filter = QStringLiteral("All files (*)");
	return filter;
}

QString ShowQtDialog(const UNavServicesDialogs::tDialogOptions& inOptions)
{
	using Options = UNavServicesDialogs::tDialogOptions;
	QFileDialog dialog(QApplication::activeWindow());
	// Qt's dialog has no place for a prompt: it titles the window when nothing else does.
	dialog.setWindowTitle(inOptions.title.isEmpty() ? inOptions.message : inOptions.title);
	if (!inOptions.title.isEmpty() && !inOptions.message.isEmpty())
		dialog.setToolTip(inOptions.message);
	if (!inOptions.directory.isEmpty())
		dialog.setDirectory(inOptions.directory);
	switch (inOptions.mode) {
	case Options::kChooseFolder:
		dialog.setFileMode(QFileDialog::Directory);
		dialog.setOption(QFileDialog::ShowDirsOnly);
		break;
	case Options::kOpenFile:
		dialog.setFileMode(QFileDialog::ExistingFile);
		if (!inOptions.nameFilters.isEmpty())
			dialog.setNameFilters(inOptions.nameFilters);
		break;
	case Options::kSaveFile:
		dialog.setFileMode(QFileDialog::AnyFile);
		dialog.setAcceptMode(QFileDialog::AcceptSave);
		dialog.selectFile(inOptions.defaultName);
		break;
	}
	if (inOptions.showHidden)
		dialog.setFilter(dialog.filter() | QDir::Hidden);
	if (dialog.exec() != QDialog::Accepted)
		return QString();
	const QStringList chosen = dialog.selectedFiles();
	return chosen.isEmpty() ? QString() : chosen.first();
}

UNavServicesDialogs::Chooser& CurrentChooser()
{
	static UNavServicesDialogs::Chooser sChooser;
	return sChooser;
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

} // namespace

UNavServicesDialogs::Chooser UNavServicesDialogs::SetChooser(Chooser inChooser)
{
	Chooser previous = std::move(CurrentChooser());
	CurrentChooser() = std::move(inChooser);
	return previous;
}

void UNavServicesDialogs::Install()
{
	TVyFileUtils::SetNavHandler(&UNavServicesDialogs::Answer);
}

void UNavServicesDialogs::ForgetLastFolder()
{
	LastFolder().clear();
}

QStringList UNavServicesDialogs::NameFiltersFor(OSType inFileType, UInt32 inFlags)
{
	QStringList filters;
	if (inFileType == 0 || inFileType == kAnyType)
		return filters;
	// On disk a file's type is at best an extended attribute that Qt cannot filter on: only types with
	// customary name endings narrow the list, any other type lists every file.
	if (inFileType == kTextType)
		filters << QStringLiteral("Text files (*.txt *.text *.csv *.tsv)");
	if (filters.isEmpty() || (inFlags & kNavAllFilesInPopup))
		filters << AllFilesFilter();
	return filters;
}

QString UNavServicesDialogs::Choose(const tDialogOptions& inOptions)
{
	tDialogOptions options = inOptions;
	options.directory = LastFolder();
	return CurrentChooser() ? CurrentChooser()(options) : ShowQtDialog(options);
}

bool UNavServicesDialogs::SpecFromChoice(const QString& inPath, tDialogOptions::Mode inMode, FSSpec& outSpec,
                                         bool* outExists)
{
	if (inPath.isEmpty())
		return false;
	const QFileInfo info(inPath);
	if (!info.isAbsolute())
		return false;
	const bool exists = info.exists();
	if (outExists)
		*outExists = exists;
	switch (inMode) {
	case tDialogOptions::kChooseFolder:
		if (!info.isDir())
			return false;
		break;
	case tDialogOptions::kOpenFile:
		if (!exists || info.isDir())
			return false;
		break;
	case tDialogOptions::kSaveFile:
		if (info.isDir() || !QFileInfo(info.absolutePath()).isDir())
			return false;
		break;
	}
	// A name that Mac Roman cannot hold would come back with '?' in it and name another file.
	const QString name = info.fileName();
	if (!name.isEmpty() && QStringFromMacRoman(MacRomanFromQString(name)) != name)
		return false;
	FSSpec spec;
	if (FSPathMakeFSSpec(QDir::cleanPath(info.absoluteFilePath()).toStdString(), &spec) != noErr)
		return false;
	outSpec = spec;
	LastFolder() = inMode == tDialogOptions::kChooseFolder ? QDir::cleanPath(info.absoluteFilePath())
	                                                       : info.absolutePath();
	return true;
}

bool UNavServicesDialogs::AskChooseFolder(FSSpec& outFolderSpec)
{
	tDialogOptions options;
	options.mode = tDialogOptions::kChooseFolder;
	return SpecFromChoice(Choose(options), options.mode, outFolderSpec, nullptr);
}

bool UNavServicesDialogs::AskOpenOneFile(OSType inFileType, FSSpec& outFileSpec, UInt32 inFlags,
                                         const char* inMessage, const char* inTitle)
{
	tDialogOptions options;
	options.mode = tDialogOptions::kOpenFile;
	options.title = FromMacRoman(inTitle);
	options.message = FromMacRoman(inMessage);
	options.nameFilters = NameFiltersFor(inFileType, inFlags);
	options.showHidden = (inFlags & kNavAllowInvisibleFiles) != 0;
	return SpecFromChoice(Choose(options), options.mode, outFileSpec, nullptr);
}

bool UNavServicesDialogs::AskSaveFile(ConstStr255Param inDefaultName, OSType, FSSpec& outFileSpec,
                                      bool& outReplacing, UInt32 inFlags)
{
	tDialogOptions options;
	options.mode = tDialogOptions::kSaveFile;
	options.defaultName = QStringFromPascal(inDefaultName);
	options.showHidden = (inFlags & kNavAllowInvisibleFiles) != 0;
	bool exists = false;
	if (!SpecFromChoice(Choose(options), options.mode, outFileSpec, &exists))
		return false;
	// Qt's save dialog has already asked before an existing file is chosen.
	outReplacing = exists;
	return true;
}

tNavReply UNavServicesDialogs::Answer(const tNavRequest& inRequest)
{
	tNavReply reply;
	switch (inRequest.kind) {
	case tNavRequest::kChooseFolder:
		reply.accepted = AskChooseFolder(reply.spec);
		break;
	case tNavRequest::kChooseFile:
		reply.accepted = AskOpenOneFile(inRequest.fileType, reply.spec, inRequest.optionFlags,
		                                inRequest.message, inRequest.title);
		break;
	case tNavRequest::kSaveFile: {
		Str255 defaultName = {0};
		const std::string_view name = inRequest.defaultName ? inRequest.defaultName : "";
		defaultName[0] = UInt8(std::min<size_t>(name.size(), 255));
		std::copy_n(name.begin(), defaultName[0], defaultName + 1);
		reply.accepted = AskSaveFile(defaultName, inRequest.fileType, reply.spec, reply.replacing,
		                             inRequest.optionFlags);
		break;
	}
	}
	return reply;
}
