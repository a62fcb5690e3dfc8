#include "platform/toolbox/gui/Appearance.h"

#include "platform/toolbox/Files.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/PortPainter.h"

#include <QFontMetrics>
#include <algorithm>

namespace
{
QFont ThemeFont(const GrafPort& port, ThemeFontID id)
{
	if (id == kThemeCurrentPortFont)
		return QD::PortFont(port);
	QFont font(QD::FamilyForFontNumber(systemFont));
	font.setPixelSize(id == kThemeSmallSystemFont ? 11 : 13);
	return font;
}

// Greedy breaking at spaces; a word wider than the box is broken between characters.
QStringList BreakParagraph(const QFont& font, const QString& paragraph, int width)
{
	auto fits = [&](const QString& s) { return QD::TextWidthIn(font, s) <= width; };
	QStringList lines;
	QString line;
	bool started = false;
	for (QString word : paragraph.split(QLatin1Char(' '))) {
		const QString joined = started ? line + QLatin1Char(' ') + word : word;
		if (fits(joined)) {
			line = joined;
			started = true;
			continue;
		}
		if (started)
			lines.append(line);
		while (word.size() > 1 && !fits(word)) {
			qsizetype n = 1;
			while (n + 1 < word.size() && fits(word.left(n + 1)))
				++n;
			lines.append(word.left(n));
			word = word.mid(n);
		}
		line = word;
		started = true;
	}
	lines.append(line);
	return lines;
}

QStringList BreakText(const QFont& font, const char* text, std::size_t length, Boolean wrapToWidth, int width)
{
	QString all = QStringFromMacRoman(std::string_view(text, length));
	all.replace(QLatin1String("\r\n"), QLatin1String("\r")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
	QStringList lines;
	for (const QString& paragraph : all.split(QLatin1Char('\r'))) {
		if (wrapToWidth)
			lines += BreakParagraph(font, paragraph, width);
		else
			lines.append(paragraph);
	}
	return lines;
}
} // namespace

OSStatus DrawThemeTextBox(const char* text, std::size_t length, ThemeFontID font, ThemeDrawState,
                          Boolean wrapToWidth, const Rect* box, SInt16 just)
{
	GrafPort* port = QD::CurrentPort();
	if (!port || !box || (!text && length > 0))
		return paramErr;
	const QRect area = QD::ToQRect(*box);
	if (length == 0 || area.isEmpty())
		return noErr;
	const QFont qfont = ThemeFont(*port, font);
	const QStringList lines = BreakText(qfont, text, length, wrapToWidth, area.width());
	QD::PortPainter painter(*port);
	if (!painter.IsActive())
		return noErr;
	painter->setClipRect(area, Qt::IntersectClip);
	QD::SetUpTextPainter(*port, *painter, qfont);
	const QFontMetrics metrics(qfont);
	int baseline = area.top() + metrics.ascent();
	for (const QString& line : lines) {
		if (baseline - metrics.ascent() > area.bottom())
			break;
		const int room = area.width() - QD::TextWidthIn(qfont, line);
		int h = area.left();
		if (just == teCenter)
			h += room / 2;
		else if (just == teFlushRight)
			h += room;
		painter->drawText(QPointF(h, baseline), line);
		baseline += metrics.lineSpacing();
	}
	return noErr;
}

OSStatus GetThemeTextDimensions(const char* text, std::size_t length, ThemeFontID font, ThemeDrawState,
                                Boolean wrapToWidth, Point* ioBounds, SInt16* outBaseline)
{
	GrafPort* port = QD::CurrentPort();
	if (!port || !ioBounds || (!text && length > 0))
		return paramErr;
	const QFont qfont = ThemeFont(*port, font);
	const QFontMetrics metrics(qfont);
	const QStringList lines =
	    length == 0 ? QStringList() : BreakText(qfont, text, length, wrapToWidth, ioBounds->h);
	int width = 0;
	for (const QString& line : lines)
		width = std::max<int>(width, QD::TextWidthIn(qfont, line));
	if (!wrapToWidth)
		ioBounds->h = SInt16(std::min(width, 32767));
	ioBounds->v = SInt16(std::min<qsizetype>(lines.size() * metrics.lineSpacing(), 32767));
	if (outBaseline)
		*outBaseline = SInt16(metrics.ascent());
	return noErr;
}
