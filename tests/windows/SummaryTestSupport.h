#pragma once
// What the summary's rows look like in a picture of its port (a screenshot or the port's own image): each
// security row's price column holds text in the row's colour whose lowest pixels sit just above the
// baseline of the cell.

#include "platform/framework/LWindow.h"
#include "toolkit/UKsCellFonts.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryWindow.h"

#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>

namespace SummaryTest
{

// inPortOrigin: where the port's top-left lies in the picture. inSlack: how many rows lower the digits
// may end, for a window system whose font rasteriser rounds differently. Returns the rows checked.
inline int CheckRowsInPicture(TSummaryWindow* inWindow, const QImage& inPicture, Point inPortOrigin,
                              SInt32 inFontSize, int inSlack = 0)
{
	TSummaryTable* table = inWindow->GetTable();
	int checked = 0;
	for (TableIndexT row = 1; row <= TableIndexT(inWindow->GetDrawList()->Count()); ++row) {
		const tSummaryDraw* entry = inWindow->GetDrawList()->GetNth(long(row));
		if (entry->Kind != tSummaryDraw::kSecurity)
			continue;
		SCOPED_TRACE(entry->Security->SecuritySymbol());
		Rect cell;
		if (!table->GetLocalCellRect(STableCell(row, 1), cell))
			continue;
		const Rect price = table->CalcRects(cell).price;
		// Digits have no descenders: their lowest pixels sit on the row just above the baseline.
		Point topLeft{cell.top, price.left};
		Point bottomRight{cell.bottom, price.right};
		table->LocalToPortPoint(topLeft);
		table->LocalToPortPoint(bottomRight);
		int lowest = -1, coloured = 0;
		for (int v = topLeft.v; v < bottomRight.v; ++v)
			for (int h = topLeft.h; h < bottomRight.h; ++h) {
				const QRgb pixel = inPicture.pixel(h + inPortOrigin.h, v + inPortOrigin.v);
				if (std::abs(qRed(pixel) - entry->Colour.red / 257) <= 1 &&
				    std::abs(qGreen(pixel) - entry->Colour.green / 257) <= 1 &&
				    std::abs(qBlue(pixel) - entry->Colour.blue / 257) <= 1) {
					++coloured;
					lowest = v;
				}
			}
		EXPECT_GT(coloured, 10);
		const int baseline =
		    topLeft.v + UKsCellFonts::CellBaseLine(inFontSize, table->GetRowHeight(row)) + 2;
		EXPECT_GE(lowest, baseline - 1);
		EXPECT_LE(lowest, baseline - 1 + inSlack);
		++checked;
	}
	return checked;
}

} // namespace SummaryTest
