#pragma once
// The inside of a port, for the drawing code and for the few window classes that show a port's image.

#include "platform/toolbox/gui/QuickDraw.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <memory>

struct BitMap {
	GrafPort* port = nullptr;
};

struct MacRegion {
	QRegion region;
};

struct PixPat {
	RGBColor color;
};

struct GrafPort {
	QImage* image = nullptr;
	std::unique_ptr<QImage> ownedImage;  // offscreen worlds own theirs
	QPainter* externalPainter = nullptr; // a port over a caller's painter has no image
	QSize painterSize;
	Point origin;       // local coordinates of the top-left pixel
	Point globalOffset; // where the top-left pixel is on the screen (window ports)
	QRegion clip;       // local coordinates
	Point pnLoc;
	Point pnSize{1, 1};
	SInt16 pnMode = patCopy;
	Pattern pnPat;
	RGBColor foreColor{0, 0, 0};
	RGBColor backColor{0xFFFF, 0xFFFF, 0xFFFF};
	SInt16 txFont = 0;
	SInt16 txSize = 0;
	Style txFace = normal;
	SInt16 txMode = srcOr;
	BitMap bits;
	PixMap pixMap;
	PixMap* pixMapPtr = nullptr; // the master pointer of GetPortPixMap's handle
	bool pixelsLocked = false;
	PortDrawnNotifier drawnNotifier;
	PortScrolledNotifier scrolledNotifier;
	UInt32 drawStamp = 0; // changes whenever pixels are drawn into the image

	GrafPort();
	explicit GrafPort(QImage* borrowed);
	GrafPort(const GrafPort&) = delete;
	GrafPort& operator=(const GrafPort&) = delete;

	QSize PixelSize() const;
	Rect Bounds() const;
	void RefreshPixMap();
};

namespace QD
{
// The current port, or null.
GrafPort* CurrentPort();
QColor ToQColor(const RGBColor& c);
RGBColor ToRGBColor(const QColor& c);
QRect ToQRect(const Rect& r);
Rect ToRect(const QRect& r);
// The font the port's text state stands for, and the installed family behind a font number.
QFont PortFont(const GrafPort& port);
QString FamilyForFontNumber(SInt16 number);
// Sets a painter up to draw text in the font and the port's colour and text mode (srcXor inverts).
void SetUpTextPainter(const GrafPort& port, QPainter& painter, const QFont& font);
// Width of a text in a font, in whole pixels, as the pen advances over it.
SInt16 TextWidthIn(const QFont& font, const QString& text);
// Draws an image (a picture, an icon) scaled into a rectangle of the current port, over what is there where
// it is transparent.
void DrawImage(const QImage& image, const Rect& destination);
// The clip of a new port: as wide as local coordinates reach.
QRegion WideOpenRegion();
} // namespace QD
