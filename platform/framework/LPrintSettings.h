#pragma once
// What a print job is to do: the paper and its margins (page setup), the range of pages and the number of
// copies (print job), and where it goes: a printer, or a PDF file. Sizes are in points (1/72 inch), the
// unit a printout is laid out in.

#include "platform/toolbox/MacTypes.h"

#include <string>

class LPrintSettings
{
public:
	static constexpr UInt16 kMaxPage = 32000; // "to the last page"

	// Pages counted from 1.
	void GetPrintJobSpecs(UInt16& outFirstPage, UInt16& outLastPage, UInt16& outNumberOfCopies) const;
	void SetPageRange(UInt16 inFirstPage, UInt16 inLastPage);
	void SetNumberOfCopies(UInt16 inCopies);

	// The printable area, top-left (0, 0); the paper in the same coordinates (so its top-left is
	// negative).
	void GetPageRect(Rect& outRect) const;
	void GetPaperRect(Rect& outRect) const;
	void SetPaperSize(SInt16 inWidth, SInt16 inHeight); // portrait size
	void SetMargins(SInt16 inLeft, SInt16 inTop, SInt16 inRight, SInt16 inBottom);
	void SetLandscape(Boolean inLandscape) { mLandscape = inLandscape; }
	Boolean IsLandscape() const { return mLandscape; }

	// A PDF file instead of a printer; empty for the printer. A file chosen as new (no file stood under its
	// name when the user chose it) is made new: one another program puts there meanwhile is left alone.
	void SetOutputFile(const std::string& inPath)
	{
		mOutputFile = inPath;
		mOutputFileIsNew = false;
	}
	const std::string& GetOutputFile() const { return mOutputFile; }
	void SetOutputFileIsNew(Boolean inIsNew) { mOutputFileIsNew = inIsNew && !mOutputFile.empty(); }
	Boolean IsOutputFileNew() const { return mOutputFileIsNew; }
	void SetPrinterName(const std::string& inName) { mPrinterName = inName; }
	const std::string& GetPrinterName() const { return mPrinterName; }

private:
	friend class UPrinting;
	UInt16 mFirstPage = 1;
	UInt16 mLastPage = kMaxPage;
	UInt16 mCopies = 1;
	SInt16 mPaperWidth = 612; // US Letter
	SInt16 mPaperHeight = 792;
	SInt16 mMarginLeft = 36, mMarginTop = 36, mMarginRight = 36, mMarginBottom = 36;
	Boolean mLandscape = false;
	std::string mOutputFile;
	Boolean mOutputFileIsNew = false;
	std::string mPrinterName;
};
