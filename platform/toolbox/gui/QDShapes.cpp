#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/PortPainter.h"

#include <QPainterPath>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace
{
// Runs a drawing step on the current port; drawing without a port is a caller's fault.
// inBounds: where the drawing stays (local coordinates), when known.
template <typename Paint> void WithPainter(Paint paint, const Rect* inBounds = nullptr)
{
	GrafPort* port = QD::CurrentPort();
	SignalIfNot_(port);
	if (!port)
		return;
	QD::PortPainter painter(*port, inBounds ? QD::ToQRect(*inBounds) : QRect());
	if (painter.IsActive())
		paint(*port, *painter);
}

bool IsSolid(const Pattern& pattern)
{
	for (const UInt8 row : pattern.pat)
		if (row != 0xFF)
			return false;
	return true;
}

// The pen's pattern as a brush: in the pen's colours, or, for exclusive-or, white where it inverts.
QBrush PatternBrush(const GrafPort& port, bool exclusiveOr)
{
	const QColor set = exclusiveOr ? QColor(Qt::white) : QD::ToQColor(port.foreColor);
	const QColor clear = exclusiveOr ? QColor(Qt::black) : QD::ToQColor(port.backColor);
	QImage tile(8, 8, QImage::Format_RGB32);
	for (int y = 0; y < 8; ++y)
		for (int x = 0; x < 8; ++x)
			tile.setPixelColor(x, y, (port.pnPat.pat[y] & (0x80 >> x)) ? set : clear);
	return QBrush(tile);
}

void PenFill(GrafPort& port, QPainter& painter, const QPainterPath& path)
{
	const bool exclusiveOr = port.pnMode == patXor || port.pnMode == srcXor;
	if (exclusiveOr)
		painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
	if (!exclusiveOr && IsSolid(port.pnPat))
		painter.fillPath(path, QD::ToQColor(port.foreColor));
	else
		painter.fillPath(path, PatternBrush(port, exclusiveOr));
}

QPainterPath RectPath(const QRect& r)
{
	QPainterPath path;
	path.addRect(r);
	return path;
}

QPainterPath OvalPath(const QRectF& r)
{
	QPainterPath path;
	path.addEllipse(r);
	return path;
}

QPainterPath RoundRectPath(const QRectF& r, SInt16 ovalWidth, SInt16 ovalHeight)
{
	QPainterPath path;
	path.addRoundedRect(r, ovalWidth / 2.0, ovalHeight / 2.0);
	return path;
}

// The outline of a shape, as thick as the pen, inside the shape's rectangle.
template <typename MakePath> QPainterPath FramePath(const GrafPort& port, const Rect& r, MakePath make)
{
	const QRect outer = QD::ToQRect(r);
	const int pw = port.pnSize.h, ph = port.pnSize.v;
	QPainterPath path = make(QRectF(outer));
	if (2 * pw >= outer.width() || 2 * ph >= outer.height())
		return path;
	return path.subtracted(make(QRectF(outer.adjusted(pw, ph, -pw, -ph))));
}
} // namespace

void QD::DrawImage(const QImage& image, const Rect& destination)
{
	if (image.isNull() || EmptyRect(&destination))
		return;
	WithPainter([&](GrafPort&, QPainter& painter) {
		painter.drawImage(QRectF(QD::ToQRect(destination)), image, QRectF(image.rect()));
	});
}

void LineTo(SInt16 h, SInt16 v)
{
	WithPainter([h, v](GrafPort& port, QPainter& painter) {
		const int pw = port.pnSize.h, ph = port.pnSize.v;
		if (pw <= 0 || ph <= 0)
			return;
		int x0 = port.pnLoc.h, y0 = port.pnLoc.v;
		const int x1 = h, y1 = v;
		QPainterPath path;
		if (x0 == x1 || y0 == y1) {
			path.addRect(std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0) + pw,
			             std::abs(y1 - y0) + ph);
		} else {
			// The pen's rectangle hangs below and right of each point of the line.
			const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
			const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
			int err = dx + dy;
			path.setFillRule(Qt::WindingFill);
			for (;;) {
				path.addRect(x0, y0, pw, ph);
				if (x0 == x1 && y0 == y1)
					break;
				const int e2 = 2 * err;
				if (e2 >= dy) {
					err += dy;
					x0 += sx;
				}
				if (e2 <= dx) {
					err += dx;
					y0 += sy;
				}
			}
		}
		PenFill(port, painter, path);
	});
	MoveTo(h, v);
}

void FrameRect(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) {
		    if (port.pnSize.h > 0 && port.pnSize.v > 0)
			    PenFill(port, painter, FramePath(port, *r, [](const QRectF& q) {
				            return RectPath(q.toRect());
			            }));
	    },
	    r);
}

void PaintRect(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) { PenFill(port, painter, RectPath(QD::ToQRect(*r))); }, r);
}

void EraseRect(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) {
		    painter.fillRect(QD::ToQRect(*r), QD::ToQColor(port.backColor));
	    },
	    r);
}

void ScrollRect(const Rect* r, SInt16 dh, SInt16 dv, RgnHandle updateRgn)
{
	GrafPort* port = QD::CurrentPort();
	SignalIfNot_(port);
	if (!port || !r || EmptyRect(r))
		return;
	const QPoint origin(port->origin.h, port->origin.v);
	const QRegion clip = port->clip.translated(-origin);
	QImage* image = port->image;
	const bool hasImage = image && !image->isNull();
	QRect area = QD::ToQRect(*r).translated(-origin);
	if (hasImage)
		area &= image->rect();
	// Pixels move within one rectangle: under a clip of several none move and the area is erased.
	const bool movable =
	    hasImage && clip.rectCount() == 1 && (image->depth() == 32 || image->depth() == 16);
	if (movable)
		area &= clip.boundingRect();
	const QRect moved = movable ? area.translated(dh, dv) & area : QRect();
	if (!moved.isEmpty()) {
		const int bytes = image->depth() / 8;
		const qsizetype stride = image->bytesPerLine();
		const QRect from = moved.translated(-dh, -dv);
		uchar* bits = image->bits();
		// Rows are taken in the order that reads every row before it is written over.
		for (int i = 0; i < moved.height(); ++i) {
			const int y = dv > 0 ? moved.height() - 1 - i : i;
			std::memmove(bits + (moved.top() + y) * stride + moved.left() * bytes,
			             bits + (from.top() + y) * stride + from.left() * bytes,
			             size_t(moved.width()) * size_t(bytes));
		}
	}
	const QRegion erased = (QRegion(area) - moved) & clip;
	if (hasImage && !erased.isEmpty()) {
		const QColor back = QD::ToQColor(port->backColor);
		if (image->format() == QImage::Format_RGB32) {
			// Straight into the rows: the strip a step uncovers is narrow, a painter costs more.
			const QRgb pixel = back.rgb();
			for (const QRect& part : erased)
				for (int y = part.top(); y <= part.bottom(); ++y) {
					QRgb* row = reinterpret_cast<QRgb*>(image->scanLine(y));
					std::fill(row + part.left(), row + part.right() + 1, pixel);
				}
		} else {
			QPainter painter(image);
			for (const QRect& part : erased)
				painter.fillRect(part, back);
		}
	}
	if (updateRgn)
		updateRgn->region = erased.translated(origin);
	if (moved.isEmpty() && erased.isEmpty())
		return;
	QD::Stamp(*port);
	if (!moved.isEmpty() && port->scrolledNotifier)
		port->scrolledNotifier(QD::ToRect(area), dh, dv);
	else if (port->drawnNotifier)
		port->drawnNotifier(QD::ToRect(moved.isEmpty() ? erased.boundingRect() : area));
}

void InvertRect(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort&, QPainter& painter) {
		    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
		    painter.fillRect(QD::ToQRect(*r), Qt::black);
	    },
	    r);
}

void FrameOval(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) {
		    if (port.pnSize.h > 0 && port.pnSize.v > 0)
			    PenFill(port, painter, FramePath(port, *r, OvalPath));
	    },
	    r);
}

void PaintOval(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) { PenFill(port, painter, OvalPath(QD::ToQRect(*r))); }, r);
}

void EraseOval(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) {
		    painter.fillPath(OvalPath(QD::ToQRect(*r)), QD::ToQColor(port.backColor));
	    },
	    r);
}

void FrameRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [=](GrafPort& port, QPainter& painter) {
		    if (port.pnSize.h > 0 && port.pnSize.v > 0)
			    PenFill(port, painter, FramePath(port, *r, [=](const QRectF& q) {
				            return RoundRectPath(q, ovalWidth, ovalHeight);
			            }));
	    },
	    r);
}

void PaintRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [=](GrafPort& port, QPainter& painter) {
		    PenFill(port, painter, RoundRectPath(QD::ToQRect(*r), ovalWidth, ovalHeight));
	    },
	    r);
}

void EraseRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [=](GrafPort& port, QPainter& painter) {
		    const QPainterPath path = RoundRectPath(QD::ToQRect(*r), ovalWidth, ovalHeight);
		    painter.fillPath(path, QD::ToQColor(port.backColor));
	    },
	    r);
}

void GetCPixel(SInt16 h, SInt16 v, RGBColor* color)
{
	GrafPort* port = QD::CurrentPort();
	if (!color || !port || !port->image)
		return;
	const int x = h - port->origin.h, y = v - port->origin.v;
	if (!port->image->rect().contains(x, y)) {
		*color = RGBColor{};
		return;
	}
	*color = QD::ToRGBColor(port->image->pixelColor(x, y));
}

void SetCPixel(SInt16 h, SInt16 v, const RGBColor* color)
{
	if (!color)
		return;
	WithPainter(
	    [=](GrafPort&, QPainter& painter) { painter.fillRect(h, v, 1, 1, QD::ToQColor(*color)); });
}

PixPatHandle NewPixPat()
{
	return new PixPat;
}

void DisposePixPat(PixPatHandle pattern)
{
	delete pattern;
}

void MakeRGBPat(PixPatHandle pattern, const RGBColor* color)
{
	if (pattern && color)
		pattern->color = *color;
}

void FillCRect(const Rect* r, PixPatHandle pattern)
{
	if (!r || !pattern || EmptyRect(r))
		return;
	WithPainter(
	    [=](GrafPort&, QPainter& painter) {
		    painter.fillRect(QD::ToQRect(*r), QD::ToQColor(pattern->color));
	    },
	    r);
}

namespace
{
QRgb Expand16(quint16 p)
{
	const UInt32 r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
	return qRgb(int((r << 3) | (r >> 2)), int((g << 2) | (g >> 4)), int((b << 3) | (b >> 2)));
}

quint16 Reduce32(QRgb p)
{
	return quint16(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
}

// inKey: the source pixel left out by a transparent copy (none when negative).
template <class S, class D, class Convert>
void CopyRows(const uchar* inSrc, qsizetype inSrcStride, uchar* inDst, qsizetype inDstStride, int inWidth,
              int inHeight, qint64 inKey, Convert inConvert)
{
	// Rows are taken in the order that reads every source row before it is written over.
	const bool upward = inDst > inSrc;
	const S key = S(inKey);
	for (int i = 0; i < inHeight; ++i) {
		const int y = upward ? inHeight - 1 - i : i;
		const S* from = reinterpret_cast<const S*>(inSrc + y * inSrcStride);
		D* to = reinterpret_cast<D*>(inDst + y * inDstStride);
		if (inKey < 0 && std::is_same_v<S, D>) {
			std::memmove(to, from, size_t(inWidth) * sizeof(S));
			continue;
		}
		// Within one row too, when the copy overlaps itself.
		const bool backward =
		    reinterpret_cast<const uchar*>(to) > reinterpret_cast<const uchar*>(from);
		const int first = backward ? inWidth - 1 : 0, step = backward ? -1 : 1;
		for (int n = 0, x = first; n < inWidth; ++n, x += step) {
			const S p = from[x];
			if (inKey < 0 || S(p & (sizeof(S) == 4 ? 0xFFFFFF : 0xFFFF)) != key)
				to[x] = inConvert(p);
		}
	}
}

// Unscaled copies between images of the formats ports use go pixel by pixel, allocating nothing; false
// leaves the copy to the painter.
bool CopyPixels(GrafPort& src, GrafPort& dst, const QRect& inFrom, const QRect& inToLocal, SInt16 inMode)
{
	if (!dst.image || dst.image->isNull() || inFrom.size() != inToLocal.size())
		return false;
	const QImage::Format sf = src.image->format(), df = dst.image->format();
	const bool src32 =
	    sf == QImage::Format_RGB32 || (sf == QImage::Format_ARGB32 && inMode != transparent);
	const bool dst32 = df == QImage::Format_RGB32 || df == QImage::Format_ARGB32;
	if (!(sf == df || (sf == QImage::Format_RGB16 && df == QImage::Format_RGB32) ||
	      (sf == QImage::Format_RGB32 && df == QImage::Format_RGB16)))
		return false;
	if (!(src32 || sf == QImage::Format_RGB16) || !(dst32 || df == QImage::Format_RGB16))
		return false;
	const QRect to = inToLocal.translated(-dst.origin.h, -dst.origin.v);
	const QPoint delta = inFrom.topLeft() - to.topLeft(); // source pixel = destination pixel + delta
	const bool sameImage = src.image == dst.image;
	// Within one image, one clip rectangle at most: another could read what this one wrote.
	if (sameImage && dst.clip.rectCount() > 1)
		return false;
	// The left-out colour, as the source stores it: a 16-bit pixel is left out when it widens to it (when
	// none does, nothing is left out).
	qint64 key = -1;
	if (inMode == transparent) {
		const QRgb back = QD::ToQColor(dst.backColor).rgb() & 0xFFFFFF;
		key = back;
		if (sf == QImage::Format_RGB16)
			key = (Expand16(Reduce32(back)) & 0xFFFFFF) == back ? Reduce32(back) : -1;
	}
	QRect drawn;
	uchar* dstBits = dst.image->bits();
	const uchar* srcBits = sameImage ? dstBits : src.image->constBits();
	const qsizetype dstStride = dst.image->bytesPerLine(), srcStride = src.image->bytesPerLine();
	const int sb = sf == QImage::Format_RGB16 ? 2 : 4, db = df == QImage::Format_RGB16 ? 2 : 4;
	for (const QRect& clip : dst.clip) {
		QRect area = clip.translated(-dst.origin.h, -dst.origin.v) & to & dst.image->rect() &
		             src.image->rect().translated(-delta);
		if (area.isEmpty())
			continue;
		const uchar* s =
		    srcBits + (area.top() + delta.y()) * srcStride + (area.left() + delta.x()) * sb;
		uchar* d = dstBits + area.top() * dstStride + area.left() * db;
		const int w = area.width(), h = area.height();
		if (sb == 4 && db == 4)
			CopyRows<QRgb, QRgb>(s, srcStride, d, dstStride, w, h, key, [](QRgb p) { return p; });
		else if (sb == 2 && db == 2)
			CopyRows<quint16, quint16>(s, srcStride, d, dstStride, w, h, key,
			                           [](quint16 p) { return p; });
		else if (sb == 2)
			CopyRows<quint16, QRgb>(s, srcStride, d, dstStride, w, h, key, Expand16);
		else
			CopyRows<QRgb, quint16>(s, srcStride, d, dstStride, w, h, key, Reduce32);
		drawn |= area;
	}
	QD::NoteDrawn(dst, drawn);
	return true;
}
} // namespace

void CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect, const Rect* dstRect,
              SInt16 mode, RgnHandle maskRgn)
{
	SignalIfNot_(srcBits && dstBits && srcRect && dstRect);
	if (!srcBits || !dstBits || !srcRect || !dstRect || !srcBits->port || !dstBits->port)
		return;
	GrafPort& src = *srcBits->port;
	GrafPort& dst = *dstBits->port;
	if (!src.image || src.image->isNull() || EmptyRect(srcRect) || EmptyRect(dstRect))
		return;
	const QRect from = QD::ToQRect(*srcRect).translated(-src.origin.h, -src.origin.v);
	if (!maskRgn && mode != srcXor && CopyPixels(src, dst, from, QD::ToQRect(*dstRect), mode))
		return;
	// A copy within one image must read the pixels before any are written; a transparent one needs a copy
	// to mark the left-out pixels in.
	QImage copied;
	const QImage* source = src.image;
	QRectF sourceArea(from);
	if (src.image == dst.image || mode == transparent) {
		copied = src.image->copy(from);
		source = &copied;
		sourceArea = QRectF(0, 0, from.width(), from.height());
	}
	if (mode == transparent) {
		copied = copied.convertToFormat(QImage::Format_ARGB32);
		const QRgb key = QD::ToQColor(dst.backColor).rgb() & 0xFFFFFF;
		for (int y = 0; y < copied.height(); ++y) {
			QRgb* line = reinterpret_cast<QRgb*>(copied.scanLine(y));
			for (int x = 0; x < copied.width(); ++x)
				if ((line[x] & 0xFFFFFF) == key)
					line[x] = 0;
		}
	}
	QD::PortPainter painter(dst);
	if (!painter.IsActive())
		return;
	if (maskRgn)
		painter->setClipRegion(maskRgn->region, Qt::IntersectClip);
	switch (mode) {
	case transparent:
		painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
		break;
	case srcXor:
		painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
		break;
	default:
		painter->setCompositionMode(QPainter::CompositionMode_Source);
		break;
	}
	painter->drawImage(QRectF(QD::ToQRect(*dstRect)), *source, sourceArea);
}
