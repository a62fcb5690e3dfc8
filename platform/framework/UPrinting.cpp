#include "platform/framework/UPrinting.h"

#include "platform/framework/LDocument.h"
#include "platform/framework/QtPrinting.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
UPrinting::DialogRunner& PrintJobRunner()
{
	static UPrinting::DialogRunner runner;
	return runner;
}

UPrinting::DialogRunner& PageSetupRunner()
{
	static UPrinting::DialogRunner runner;
	return runner;
}
} // namespace

void QtPrinting::ApplySpec(const LPrintSettings& inSpec, QPrinter& ioPrinter)
{
	Rect paper;
	inSpec.GetPaperRect(paper);
	// The paper rectangle of landscape settings is turned; the page size is the portrait one.
	const int width = inSpec.IsLandscape() ? paper.bottom - paper.top : paper.right - paper.left;
	const int height = inSpec.IsLandscape() ? paper.right - paper.left : paper.bottom - paper.top;
	Rect page;
	inSpec.GetPageRect(page);
	const QMarginsF margins(-paper.left, -paper.top, paper.right - page.right,
	                        paper.bottom - page.bottom);
	if (!inSpec.GetOutputFile().empty()) {
		ioPrinter.setOutputFormat(QPrinter::PdfFormat);
		ioPrinter.setOutputFileName(QString::fromStdString(inSpec.GetOutputFile()));
	} else if (!inSpec.GetPrinterName().empty()) {
		ioPrinter.setPrinterName(QString::fromStdString(inSpec.GetPrinterName()));
	}
	ioPrinter.setFullPage(false);
	ioPrinter.setPageLayout(
	    QPageLayout(QPageSize(QSizeF(width, height), QPageSize::Point),
	                inSpec.IsLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait, margins,
	                QPageLayout::Point));
	UInt16 first, last, copies;
	inSpec.GetPrintJobSpecs(first, last, copies);
	ioPrinter.setCopyCount(copies);
	if (first > 1 || last < LPrintSettings::kMaxPage)
		ioPrinter.setFromTo(first, last);
}

void QtPrinting::TakeSpec(LPrintSettings& ioSpec, const QPrinter& inPrinter)
{
	const QPageLayout layout = inPrinter.pageLayout();
	const QSizeF size = layout.pageSize().size(QPageSize::Point);
	ioSpec.SetPaperSize(SInt16(size.width() + 0.5), SInt16(size.height() + 0.5));
	ioSpec.SetLandscape(layout.orientation() == QPageLayout::Landscape);
	const QMarginsF m = layout.margins(QPageLayout::Point);
	ioSpec.SetMargins(SInt16(m.left() + 0.5), SInt16(m.top() + 0.5), SInt16(m.right() + 0.5),
	                  SInt16(m.bottom() + 0.5));
	if (inPrinter.printRange() == QPrinter::PageRange && inPrinter.fromPage() > 0)
		ioSpec.SetPageRange(UInt16(inPrinter.fromPage()), UInt16(inPrinter.toPage()));
	else
		ioSpec.SetPageRange(1, LPrintSettings::kMaxPage);
	ioSpec.SetNumberOfCopies(UInt16(std::max(inPrinter.copyCount(), 1)));
	if (inPrinter.outputFormat() == QPrinter::PdfFormat && !inPrinter.outputFileName().isEmpty())
		ioSpec.SetOutputFile(inPrinter.outputFileName().toStdString());
	else
		ioSpec.SetOutputFile({});
	ioSpec.SetPrinterName(inPrinter.printerName().toStdString());
}

LPrintSettings& UPrinting::GetAppPrintSpec()
{
	static LPrintSettings spec;
	return spec;
}

namespace
{
// Qt's print dialog. Its Print looks at the chosen output file before anything opens it: Qt's own check
// of that field opens the name to append, which waits for ever on a named pipe, follows a dangling link
// to make a file where it points, and removes a file another program made meanwhile. A name that cannot
// be used keeps the dialog open; a file that stands is replaced only when the user agreed, on the same
// look that asked: a file that another program puts under a name found free is no file the user agreed
// to replace. A Qt whose Print cannot be taken over offers no Print to File.
class PrintDialog : public QPrintDialog
{
public:
	PrintDialog(QPrinter* inPrinter, QWidget* inParent) : QPrintDialog(inPrinter, inParent)
	{
		auto* buttons = findChild<QDialogButtonBox*>(QString(), Qt::FindDirectChildrenOnly);
		mFileName = findChild<QLineEdit*>(QStringLiteral("filename"));
		// Print goes to this look in place of Qt's check, which it then runs for the other fields.
		mTakenOver = buttons != nullptr && mFileName != nullptr &&
		             disconnect(buttons, SIGNAL(accepted()), this, SLOT(_q_checkFields()));
		if (mTakenOver)
			connect(buttons, &QDialogButtonBox::accepted, this, &PrintDialog::CheckFields);
		else
			setOption(PrintToFile, false);
	}
	bool TakenOver() const { return mTakenOver; }
	bool OutputFileStood() const { return mOutputFileStood; }
	// The file the user agreed to print to, its folder found once; empty for a printer.
	const QString& OutputFile() const { return mOutputFile; }

	// A relative name is in the working folder, as for the printout.
	static bool OutputFileStands(const std::string& inPath)
	{
		struct stat st;
		return !inPath.empty() && lstat(inPath.c_str(), &st) == 0;
	}

private:
	// The output file's field is enabled while printing to a file.
	void CheckFields()
	{
		mOutputFile.clear();
		if (mFileName->isEnabled()) {
			QString path = mFileName->text();
			// Where Qt's dialog puts a relative name.
			if (QDir::isRelativePath(path))
				path = QDir::homePath() + QLatin1Char('/') + path;
			// Which makes no name the home folder.
			if (mFileName->text().isEmpty() || path.endsWith(QLatin1Char('/'))) {
				UNavServicesDialogs::TellUnusable(
				    {MacRoman::FromUTF8Spelled(path.toStdString()),
				     LDocument::SaveFailureReason(
				         mFileName->text().isEmpty() ? kReasonNoName : kReasonNoFileName)});
				return;
			}
			// The question names the file as typed; the look and the printout go where it leads.
			const QString resolved = UNavServicesDialogs::FollowFolder(path);
			if (!UNavServicesDialogs::LooksUsableToSave(resolved))
				return;
			if (!CanWrite(resolved)) {
				UNavServicesDialogs::TellUnusable(QFileInfo(path), kReasonPermission);
				return;
			}
			const bool stands = OutputFileStands(QFile::encodeName(resolved).toStdString());
			if (stands && !UNavServicesDialogs::AgreesToReplace(this, QFileInfo(path).fileName()))
				return;
			mOutputFileStood = stands;
			mOutputFile = resolved;
		}
		// Qt's check of its other fields, which accepts; the file's field is done.
		QPointer<PrintDialog> self = this;
		const bool toFile = mFileName->isEnabled();
		mFileName->setEnabled(false);
		QMetaObject::invokeMethod(this, "_q_checkFields", Qt::DirectConnection);
		if (self)
			mFileName->setEnabled(toFile);
	}

	// The file, or the folder a new one goes in, takes writing, as Qt's check asked.
	static bool CanWrite(const QString& inPath)
	{
		const QByteArray path = QFile::encodeName(inPath);
		if (faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) == 0)
			return true;
		return errno == ENOENT &&
		       faccessat(AT_FDCWD, QFile::encodeName(QFileInfo(inPath).absolutePath()).constData(),
		                 W_OK | X_OK, AT_EACCESS) == 0;
	}

	QLineEdit* mFileName = nullptr;
	bool mTakenOver = false;
	bool mOutputFileStood = false;
	QString mOutputFile;
};
} // namespace

// The print dialog, or the stand-in a test put in its place, which confirms as it returns. outStood: the
// chosen output file stood when the user confirmed.
static Boolean RunPrintDialog(LPrintSettings& ioPrintSpec, bool& outStood)
{
	if (PrintJobRunner()) {
		if (!PrintJobRunner()(ioPrintSpec))
			return false;
		outStood = PrintDialog::OutputFileStands(UPrinting::OutputPath(ioPrintSpec));
		return true;
	}
	if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
		return false;
	QPrinter printer;
	QtPrinting::ApplySpec(ioPrintSpec, printer);
	auto* dialog = new PrintDialog(&printer, QApplication::activeWindow());
	// It then offers no Print to File: a print that went to a file is told why.
	if (!dialog->TakenOver() && !ioPrintSpec.GetOutputFile().empty())
		UNavServicesDialogs::TellUnusable(QFileInfo(QString::fromStdString(ioPrintSpec.GetOutputFile())),
		                                  kReasonNoPrintToFile);
	QString outputFile;
	if (!StModalLoop::ExecAndDelete(dialog, [&] {
		    outStood = dialog->OutputFileStood();
		    outputFile = dialog->OutputFile();
	    }))
		return false;
	QtPrinting::TakeSpec(ioPrintSpec, printer);
	if (!outputFile.isEmpty() && !ioPrintSpec.GetOutputFile().empty())
		ioPrintSpec.SetOutputFile(QFile::encodeName(outputFile).toStdString());
	return true;
}

Boolean UPrinting::AskPrintJob(LPrintSettings& ioPrintSpec)
{
	bool stood = false;
	if (!RunPrintDialog(ioPrintSpec, stood))
		return false;
	ioPrintSpec.SetOutputFileIsNew(!stood);
	return true;
}

std::string UPrinting::OutputPath(const LPrintSettings& inSpec)
{
	const std::string& path = inSpec.GetOutputFile();
	if (path.empty() || path[0] == '/')
		return path;
	return QFile::encodeName(QDir::currentPath()).toStdString() + "/" + path;
}

void UPrinting::OutputFileMade(const LPrintSettings& inSpec)
{
	LPrintSettings& app = GetAppPrintSpec();
	if (app.GetOutputFile() == inSpec.GetOutputFile())
		app.SetOutputFileIsNew(false);
}

Boolean UPrinting::AskPageSetup(LPrintSettings& ioPrintSpec)
{
	if (PageSetupRunner())
		return PageSetupRunner()(ioPrintSpec);
	if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
		return false;
	QPrinter printer;
	QtPrinting::ApplySpec(ioPrintSpec, printer);
	if (!StModalLoop::ExecAndDelete(new QPageSetupDialog(&printer, QApplication::activeWindow())))
		return false;
	// Page setup changes the paper only: the job's pages, copies and destination stay.
	LPrintSettings taken = ioPrintSpec;
	QtPrinting::TakeSpec(taken, printer);
	ioPrintSpec.mPaperWidth = taken.mPaperWidth;
	ioPrintSpec.mPaperHeight = taken.mPaperHeight;
	ioPrintSpec.mLandscape = taken.mLandscape;
	ioPrintSpec.SetMargins(taken.mMarginLeft, taken.mMarginTop, taken.mMarginRight, taken.mMarginBottom);
	return true;
}

UPrinting::DialogRunner UPrinting::SetPrintJobDialog(DialogRunner inRunner)
{
	DialogRunner previous = std::move(PrintJobRunner());
	PrintJobRunner() = std::move(inRunner);
	return previous;
}

UPrinting::DialogRunner UPrinting::SetPageSetupDialog(DialogRunner inRunner)
{
	DialogRunner previous = std::move(PageSetupRunner());
	PageSetupRunner() = std::move(inRunner);
	return previous;
}
