#include "platform/framework/LPrintout.h"

#include "platform/framework/LDocument.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LStream.h"
#include "platform/framework/QtPrinting.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UPrinting.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/FileForks.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/GrafPort.h"

#include <QIODevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

namespace
{
SPaneInfo ReadPaneInfo(LStream* inStream)
{
	SPaneInfo info;
	*inStream >> info.paneID >> info.width >> info.height >> info.visible >> info.enabled;
	*inStream >> info.bindings.left >> info.bindings.top >> info.bindings.right >> info.bindings.bottom;
	*inStream >> info.left >> info.top >> info.userCon;
	return info;
}

// Never shown, never the target, no menu bar.
constexpr WindAttrT kPrintoutAttributes = windAttr_NoMenuBar;

template <class F> void ForEachPlaceHolder(LPane* inPane, F inF)
{
	if (auto* holder = dynamic_cast<LPlaceHolder*>(inPane))
		inF(holder);
	if (auto* view = dynamic_cast<LView*>(inPane))
		for (LPane* sub : view->GetSubPanes())
			ForEachPlaceHolder(sub, inF);
}

// The copy's descriptor as the PDF writer's device. The writer hands it pieces of a few bytes each: they
// reach the descriptor in large writes, each a round trip on a network or FUSE folder. It keeps the first
// error of a write or of the close, which says why the printout could not be written (a full disk); QFile
// gives only its text.
class CopyWriter : public QIODevice
{
public:
	explicit CopyWriter(int inFd) : mFd(inFd)
	{
		mBuffer.reserve(kBufferSize);
		open(WriteOnly | Unbuffered);
	}
	// A copy given up: what is held back is thrown away with it.
	~CopyWriter() override
	{
		mBuffer.clear();
		Close();
	}
	CopyWriter(const CopyWriter&) = delete;
	CopyWriter& operator=(const CopyWriter&) = delete;

	// 0, or the first error of a write or of the close (some file systems, sshfs, report a failed write
	// only then).
	int Error() const { return mError; }
	// Writes out what is held back and closes the descriptor.
	void Close()
	{
		if (mFd < 0)
			return;
		Flush();
		QIODevice::close();
		if (::close(std::exchange(mFd, -1)) != 0 && mError == 0)
			mError = errno;
	}

protected:
	qint64 readData(char*, qint64) override { return -1; }
	qint64 writeData(const char* inData, qint64 inSize) override
	{
		if (mError == 0) {
			mBuffer.insert(mBuffer.end(), inData, inData + inSize);
			if (mBuffer.size() >= kBufferSize)
				Flush();
		}
		return mError == 0 ? inSize : -1;
	}

private:
	static constexpr size_t kBufferSize = 64 * 1024;

	void Flush()
	{
		size_t done = 0;
		while (done < mBuffer.size() && mError == 0) {
			const ssize_t n = ::write(mFd, mBuffer.data() + done, mBuffer.size() - done);
			if (n > 0)
				done += size_t(n);
			else if (n == 0)
				mError = EIO;
			else if (errno != EINTR)
				mError = errno;
		}
		mBuffer.clear();
	}

	int mFd;
	int mError = 0;
	std::vector<char> mBuffer;
};

// A printout to a file is written to a copy beside it (beside the file a link names) that takes the file's
// place in one step only once it is whole: a full disk or a failed page leaves what stood there as it was.
// The PDF goes through the copy's own descriptor, opened by no name at all (a printer given any name, even
// /proc/self/fd/N, opens it again, which on FUSE goes by path). A file the user may not write is refused,
// as the printer itself would refuse it, and so is an open document's file; a name chosen as new that
// another program took meanwhile is left to it.
class StPrintFile
{
public:
	StPrintFile(const QPrinter& inPrinter, const LPrintSettings& inSpec)
	{
		if (inPrinter.outputFormat() != QPrinter::PdfFormat || inPrinter.outputFileName().isEmpty())
			return;
		mPath = UPrinting::OutputPath(inSpec);
		RefuseDocumentFile(mPath);
		int writer = -1;
		ThrowIfFailed(PathOpenReplacement(mPath, inSpec.IsOutputFileNew(), &mRefNum, &writer));
		// Copies that a print killed part way left behind; a young one may be another print's.
		FSRemoveStaleReplacementsBeside(mRefNum, kStaleSeconds);
		mFile = std::make_unique<CopyWriter>(writer);
		mWriter = std::make_unique<QPdfWriter>(mFile.get());
		mWriter->setResolution(inPrinter.resolution());
		mWriter->setPageLayout(inPrinter.pageLayout());
		mWriter->setCreator(inPrinter.creator());
		mWriter->setTitle(inPrinter.docName());
	}
	~StPrintFile()
	{
		mWriter.reset();
		mFile.reset();
		if (mRefNum != 0)
			FSCloseDiscarding(mRefNum);
	}
	StPrintFile(const StPrintFile&) = delete;
	StPrintFile& operator=(const StPrintFile&) = delete;

	// What the pages are painted on: the file's writer, or null for the printer.
	QPagedPaintDevice* Device() const { return mWriter.get(); }

	// A file cut short by a failed write lacks the end-of-file mark written last.
	void Keep()
	{
		if (mRefNum == 0)
			return;
		mWriter.reset();
		// What the writer holds back is on the copy before its tail is read; the copy's name goes at
		// FSClose only once no descriptor of it is left open (FUSE would keep it as a hidden file).
		mFile->Close();
		if (const int error = mFile->Error(); error != 0) {
			FSCloseDiscarding(std::exchange(mRefNum, 0));
			ThrowIfFailed(fileforks::ErrnoToOSErr(error));
		}
		char tail[16] = {};
		SInt32 size = 0, count = sizeof tail;
		const bool whole =
		    GetEOF(mRefNum, &size) == noErr && size >= count &&
		    SetFPos(mRefNum, fsFromStart, size - count) == noErr &&
		    FSRead(mRefNum, &count, tail) == noErr &&
		    std::string_view(tail, sizeof tail).find("%%EOF") != std::string_view::npos;
		const SInt16 refNum = std::exchange(mRefNum, 0);
		if (!whole) {
			FSCloseDiscarding(refNum);
			Throw_(LPrintout::err_PrintFailed);
		}
		ThrowIfFailed(FSClose(refNum));
	}

private:
	void ThrowIfFailed(OSErr inErr) const
	{
		switch (inErr) {
		case noErr:
			return;
		case dupFNErr: {
			Str255 file;
			PascalStrings::FromString(FileName(mPath), file);
			ParamText(file, nullptr, nullptr, nullptr);
			Throw_(LPrintout::err_PrintFileMadeMeanwhile);
		}
		case fsNotAFileErr:
			ThrowRefused(mPath, LDocument::NotAFileReason(mPath));
		default:
			// The printer's own message for what the file layer cannot explain.
			if (!LDocument::HasSaveFailureReason(inErr))
				Throw_(LPrintout::err_PrintFailed);
			Str255 reason;
			LDocument::GetSaveFailureReason(inErr, reason);
			ThrowRefused(mPath, PascalStrings::ToString(reason));
		}
	}

	static std::string FileName(const std::string& inPath)
	{
		return MacRoman::FromUTF8Spelled(inPath.substr(inPath.rfind('/') + 1));
	}

	// The printout would take the place of a document the user still has open.
	static void RefuseDocumentFile(const std::string& inPath)
	{
		std::string why;
		if (LDocument::HeldFileReason(inPath, &why))
			ThrowRefused(inPath, why);
	}

	// ^0 the file, ^1 why nothing was written to it.
	[[noreturn]] static void ThrowRefused(const std::string& inPath, const std::string& inWhy)
	{
		Str255 file, reason;
		PascalStrings::FromString(FileName(inPath), file);
		PascalStrings::FromString(inWhy, reason);
		ParamText(file, reason, nullptr, nullptr);
		Throw_(LPrintout::err_PrintFileRefused);
	}

	static constexpr UInt32 kStaleSeconds = 60;
	std::string mPath;
	SInt16 mRefNum = 0;
	std::unique_ptr<CopyWriter> mFile;
	std::unique_ptr<QPdfWriter> mWriter;
};

// Points the port at the printer's page for the printout's lifetime of a job.
class StPrinterPort
{
public:
	StPrinterPort(GrafPtr inPort, QPainter* inPainter, const QSize& inSize)
	    : mPort(inPort), mImage(inPort->image), mPainter(inPort->externalPainter),
	      mSize(inPort->painterSize)
	{
		mPort->image = nullptr;
		mPort->externalPainter = inPainter;
		mPort->painterSize = inSize;
		mPort->RefreshPixMap();
	}
	~StPrinterPort()
	{
		mPort->image = mImage;
		mPort->externalPainter = mPainter;
		mPort->painterSize = mSize;
		mPort->RefreshPixMap();
	}
	StPrinterPort(const StPrinterPort&) = delete;
	StPrinterPort& operator=(const StPrinterPort&) = delete;

private:
	GrafPtr mPort;
	QImage* mImage;
	QPainter* mPainter;
	QSize mSize;
};
} // namespace

LPrintout* LPrintout::CreatePrintout(ResIDT inLayoutID)
{
	LPane* pane = UReanimator::ReadObjects(inLayoutID, nullptr, nullptr);
	auto* printout = dynamic_cast<LPrintout*>(pane);
	if (pane && !printout)
		delete pane;
	return printout;
}

LPrintout::LPrintout(const SPaneInfo& inPaneInfo)
    : LWindow(inPaneInfo, (ConstStr255Param) "\0", kPrintoutAttributes, nullptr)
{
}

LPrintout::LPrintout(LStream* inStream) : LPrintout(ReadPaneInfo(inStream)) {}

void LPrintout::SetPrintSpec(const LPrintSettings& inPrintSpec)
{
	mPrintSpec = inPrintSpec;
	Rect page;
	mPrintSpec.GetPageRect(page);
	ResizeFrameTo(SInt16(page.right - page.left), SInt16(page.bottom - page.top), false);
}

void LPrintout::CountPanels(UInt32& outHorizPanels, UInt32& outVertPanels) const
{
	outHorizPanels = outVertPanels = 1;
	ForEachPlaceHolder(const_cast<LPrintout*>(this), [&](LPlaceHolder* inHolder) {
		UInt32 h, v;
		inHolder->CountPanels(h, v);
		outHorizPanels = std::max(outHorizPanels, h);
		outVertPanels = std::max(outVertPanels, v);
	});
}

void LPrintout::PreparePanes(LPane* inPane)
{
	if (auto* preparer = dynamic_cast<LPanelPreparer*>(inPane))
		preparer->PreparePanel(mPanel);
	if (auto* view = dynamic_cast<LView*>(inPane))
		for (LPane* sub : view->GetSubPanes())
			PreparePanes(sub);
}

void LPrintout::DoPrintJob()
{
	UInt32 across, down;
	CountPanels(across, down);
	const UInt32 total = across * down;
	UInt16 first, last, copies;
	mPrintSpec.GetPrintJobSpecs(first, last, copies);
	const UInt32 lastPage = std::min<UInt32>(last, total);
	if (first > lastPage)
		return;

	QPrinter printer(QPrinter::HighResolution);
	QtPrinting::ApplySpec(mPrintSpec, printer);
	// The pages are chosen here; the printer is to print all it is given.
	printer.setFromTo(0, 0);
	StPrintFile file(printer, mPrintSpec);
	QPagedPaintDevice* device = file.Device() ? file.Device() : static_cast<QPagedPaintDevice*>(&printer);
	QPainter painter;
	if (!painter.begin(device))
		Throw_(err_PrintFailed);
	painter.scale(printer.resolution() / 72.0, printer.resolution() / 72.0);
	SDimension16 size;
	GetFrameSize(size);

	// Each occupant's image is scrolled from page to page; it is put back where it was.
	std::vector<std::pair<LView*, SPoint32>> scrolls;
	ForEachPlaceHolder(this, [&](LPlaceHolder* inHolder) {
		if (auto* view = dynamic_cast<LView*>(inHolder->GetOccupant())) {
			SPoint32 position;
			view->GetScrollPosition(position);
			scrolls.emplace_back(view, position);
		}
	});
	auto restoreScrolls = [&] {
		for (auto& [view, position] : scrolls)
			view->ScrollImageTo(position.h, position.v, false);
	};

	// Its panes draw only while the printout counts as shown; its widget stays hidden.
	mVisible = true;
	mPrinting = true;
	try {
		StPrinterPort port(GetMacPort(), &painter, QSize(size.width, size.height));
		for (UInt32 page = first; page <= lastPage; ++page) {
			if (page > first && !device->newPage())
				Throw_(err_PrintFailed);
			mPanel.pageNumber = page;
			mPanel.horizIndex = (page - 1) % across + 1;
			mPanel.vertIndex = (page - 1) / across + 1;
			mPanel.isFirstPanel = page == first;
			mPanel.isLastPanel = page == lastPage;
			ForEachPlaceHolder(this, [&](LPlaceHolder* inHolder) {
				inHolder->ScrollToPanel(mPanel.horizIndex, mPanel.vertIndex);
			});
			PreparePanes(this);
			Draw(nullptr);
		}
	} catch (...) {
		mPrinting = false;
		mVisible = false;
		restoreScrolls();
		painter.end();
		throw;
	}
	mPrinting = false;
	mVisible = false;
	restoreScrolls();
	if (!painter.end())
		Throw_(err_PrintFailed);
	file.Keep();
	UPrinting::OutputFileMade(mPrintSpec);
}
