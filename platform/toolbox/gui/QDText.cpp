#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/PortPainter.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{
constexpr SInt16 kDefaultTextSize = 12;
constexpr unsigned char kEllipsis = 0xC9; // "…" in Mac Roman

bool sAntiAliasText = true;
SInt16 sAntiAliasMinSize = 0;

GrafPort* Port()
{
	return QD::CurrentPort();
}

QString ToQString(const void* text, SInt16 firstByte, SInt16 byteCount)
{
	if (!text || byteCount <= 0 || firstByte < 0)
		return QString();
	return QStringFromMacRoman(
	    std::string_view(static_cast<const char*>(text) + firstByte, size_t(byteCount)));
}

SInt16 WidthOfBytes(const QFont& font, const unsigned char* text, int length)
{
	return QD::TextWidthIn(font, QStringFromMacRoman(std::string_view(reinterpret_cast<const char*>(text),
	                                                                  size_t(std::max(length, 0)))));
}

// The longest n for which fits(n) holds, fits being monotone and fits(0) assumed.
template <typename Fits> int Longest(int upper, Fits fits)
{
	int low = 0, high = upper;
	while (low < high) {
		const int mid = (low + high + 1) / 2;
		if (fits(mid))
			low = mid;
		else
			high = mid - 1;
	}
	return low;
}
} // namespace

QFont QD::PortFont(const GrafPort& port)
{
	QFont font(FamilyForFontNumber(port.txFont));
	const SInt16 size = port.txSize > 0 ? port.txSize : kDefaultTextSize;
	font.setPixelSize(size);
	font.setBold(port.txFace & bold);
	font.setItalic(port.txFace & italic);
	font.setUnderline(port.txFace & underline);
	font.setKerning(false); // keeps widths additive, as the system's measuring assumes
	if (port.txFace & condense)
		font.setLetterSpacing(QFont::AbsoluteSpacing, -1);
	else if (port.txFace & extend)
		font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
	const bool smooth = sAntiAliasText && size >= sAntiAliasMinSize;
	font.setStyleStrategy(smooth ? QFont::PreferAntialias : QFont::NoAntialias);
	return font;
}

void QD::SetUpTextPainter(const GrafPort& port, QPainter& painter, const QFont& font)
{
	painter.setFont(font);
	if (port.txMode == srcXor) {
		painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
		painter.setPen(Qt::white);
	} else {
		painter.setPen(ToQColor(port.foreColor));
	}
}

SInt16 QD::TextWidthIn(const QFont& font, const QString& text)
{
	if (text.isEmpty())
		return 0;
	return SInt16(std::lround(QFontMetricsF(font).horizontalAdvance(text)));
}

void TextFont(SInt16 font)
{
	if (GrafPort* port = Port())
		port->txFont = font;
}

void TextSize(SInt16 size)
{
	if (GrafPort* port = Port())
		port->txSize = size;
}

void TextFace(StyleParameter face)
{
	if (GrafPort* port = Port())
		port->txFace = Style(face);
}

void TextMode(SInt16 mode)
{
	if (GrafPort* port = Port())
		port->txMode = mode;
}

SInt16 GetPortTextFont(CGrafPtr port)
{
	return port ? port->txFont : SInt16(0);
}

SInt16 GetPortTextSize(CGrafPtr port)
{
	return port ? port->txSize : SInt16(0);
}

Style GetPortTextFace(CGrafPtr port)
{
	return port ? port->txFace : Style(normal);
}

SInt16 GetPortTextMode(CGrafPtr port)
{
	return port ? port->txMode : SInt16(srcOr);
}

void DrawText(const void* text, SInt16 firstByte, SInt16 byteCount)
{
	GrafPort* port = Port();
	const QString s = ToQString(text, firstByte, byteCount);
	if (!port || s.isEmpty())
		return;
	const QFont font = QD::PortFont(*port);
	const SInt16 width = QD::TextWidthIn(font, s);
	QD::PortPainter painter(*port);
	if (painter.IsActive()) {
		if (port->txMode == srcCopy) {
			const QFontMetrics metrics(font);
			painter->fillRect(port->pnLoc.h, port->pnLoc.v - metrics.ascent(), width,
			                  metrics.ascent() + metrics.descent(),
			                  QD::ToQColor(port->backColor));
		}
		QD::SetUpTextPainter(*port, *painter, font);
		painter->drawText(QPointF(port->pnLoc.h, port->pnLoc.v), s);
	}
	port->pnLoc.h = SInt16(port->pnLoc.h + width);
}

void DrawChar(SInt16 ch)
{
	const unsigned char c = UInt8(ch);
	DrawText(&c, 0, 1);
}

void DrawString(ConstStr255Param s)
{
	if (s)
		DrawText(s + 1, 0, s[0]);
}

void DrawString(const char* s)
{
	if (s)
		DrawText(s, 0, SInt16(std::min<size_t>(std::strlen(s), 32767)));
}

SInt16 TextWidth(const void* text, SInt16 firstByte, SInt16 byteCount)
{
	GrafPort* port = Port();
	if (!port)
		return 0;
	return QD::TextWidthIn(QD::PortFont(*port), ToQString(text, firstByte, byteCount));
}

SInt16 CharWidth(SInt16 ch)
{
	const unsigned char c = UInt8(ch);
	return TextWidth(&c, 0, 1);
}

SInt16 StringWidth(ConstStr255Param s)
{
	return s ? TextWidth(s + 1, 0, s[0]) : SInt16(0);
}

SInt16 StringWidth(const char* s)
{
	return s ? TextWidth(s, 0, SInt16(std::min<size_t>(std::strlen(s), 32767))) : SInt16(0);
}

void GetFontInfo(FontInfo* info)
{
	GrafPort* port = Port();
	if (!info || !port)
		return;
	const QFontMetrics metrics(QD::PortFont(*port));
	info->ascent = SInt16(metrics.ascent());
	info->descent = SInt16(metrics.descent());
	info->widMax = SInt16(metrics.maxWidth());
	info->leading = SInt16(metrics.leading());
}

SInt16 TruncText(SInt16 width, Ptr text, SInt16* length, TruncCode where)
{
	GrafPort* port = Port();
	if (!port || !text || !length || *length < 0)
		return truncErr;
	const QFont font = QD::PortFont(*port);
	unsigned char* bytes = reinterpret_cast<unsigned char*>(text);
	const int count = *length;
	if (WidthOfBytes(font, bytes, count) <= width)
		return notTruncated;
	if (WidthOfBytes(font, &kEllipsis, 1) > width) {
		*length = 0;
		return truncErr;
	}
	std::string candidate;
	auto build = [&](int kept) {
		const int head = where == truncMiddle ? (kept + 1) / 2 : kept;
		const int tail = kept - head;
		candidate.assign(reinterpret_cast<const char*>(bytes), size_t(head));
		candidate.push_back(char(kEllipsis));
		candidate.append(reinterpret_cast<const char*>(bytes) + count - tail, size_t(tail));
	};
	const int kept = Longest(count - 1, [&](int n) {
		build(n);
		return WidthOfBytes(font, reinterpret_cast<const unsigned char*>(candidate.data()),
		                    int(candidate.size())) <= width;
	});
	build(kept);
	std::memcpy(bytes, candidate.data(), candidate.size());
	*length = SInt16(candidate.size());
	return truncated;
}

SInt16 TruncString(SInt16 width, StringPtr s, TruncCode where)
{
	if (!s)
		return truncErr;
	SInt16 length = s[0];
	const SInt16 result = TruncText(width, reinterpret_cast<Ptr>(s + 1), &length, where);
	s[0] = UInt8(length);
	return result;
}

void SetAntiAliasedTextEnabled(Boolean enable, SInt16 minFontSize)
{
	sAntiAliasText = enable;
	sAntiAliasMinSize = minFontSize;
}

Boolean IsAntiAliasedTextEnabled(SInt16* minFontSize)
{
	if (minFontSize)
		*minFontSize = sAntiAliasMinSize;
	return sAntiAliasText;
}
