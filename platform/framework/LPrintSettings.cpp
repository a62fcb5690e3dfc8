#include "platform/framework/LPrintSettings.h"

#include <algorithm>

void LPrintSettings::GetPrintJobSpecs(UInt16& outFirstPage, UInt16& outLastPage,
                                      UInt16& outNumberOfCopies) const
{
	outFirstPage = mFirstPage;
	outLastPage = mLastPage;
	outNumberOfCopies = mCopies;
}

void LPrintSettings::SetPageRange(UInt16 inFirstPage, UInt16 inLastPage)
{
	mFirstPage = std::clamp<UInt16>(inFirstPage, 1, kMaxPage);
	mLastPage = std::clamp<UInt16>(inLastPage, 1, kMaxPage);
}

void LPrintSettings::SetNumberOfCopies(UInt16 inCopies)
{
	mCopies = std::max<UInt16>(inCopies, 1);
}

void LPrintSettings::GetPageRect(Rect& outRect) const
{
	Rect paper;
	GetPaperRect(paper);
	const SInt16 width = SInt16(paper.right - paper.left), height = SInt16(paper.bottom - paper.top);
	outRect = Rect{0, 0, SInt16(std::max(height - mMarginTop - mMarginBottom, 1)),
	               SInt16(std::max(width - mMarginLeft - mMarginRight, 1))};
}

void LPrintSettings::GetPaperRect(Rect& outRect) const
{
	const SInt16 width = mLandscape ? mPaperHeight : mPaperWidth;
	const SInt16 height = mLandscape ? mPaperWidth : mPaperHeight;
	outRect = Rect{SInt16(-mMarginTop), SInt16(-mMarginLeft), SInt16(height - mMarginTop),
	               SInt16(width - mMarginLeft)};
}

void LPrintSettings::SetPaperSize(SInt16 inWidth, SInt16 inHeight)
{
	mPaperWidth = std::max<SInt16>(inWidth, 72);
	mPaperHeight = std::max<SInt16>(inHeight, 72);
}

void LPrintSettings::SetMargins(SInt16 inLeft, SInt16 inTop, SInt16 inRight, SInt16 inBottom)
{
	mMarginLeft = std::max<SInt16>(inLeft, 0);
	mMarginTop = std::max<SInt16>(inTop, 0);
	mMarginRight = std::max<SInt16>(inRight, 0);
	mMarginBottom = std::max<SInt16>(inBottom, 0);
}
