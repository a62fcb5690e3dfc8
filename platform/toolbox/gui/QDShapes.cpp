#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/PortPainter.h"

#include <QPainterPath>
#include <algorithm>
#include <cstdlib>

namespace
{
// Runs a drawing step on the current port; drawing without a port is a caller's fault.
template <typename Paint> void WithPainter(Paint paint)
{
	GrafPort* port = QD::CurrentPort();
	SignalIfNot_(port);
	if (!port)
		return;
	QD::PortPainter painter(*port);
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
	WithPainter([r](GrafPort& port, QPainter& painter) {
		if (port.pnSize.h > 0 && port.pnSize.v > 0)
			PenFill(port, painter,
			        FramePath(port, *r, [](const QRectF& q) { return RectPath(q.toRect()); }));
	});
}

void PaintRect(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) { PenFill(port, painter, RectPath(QD::ToQRect(*r))); });
}

void EraseRect(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter([r](GrafPort& port, QPainter& painter) {
		painter.fillRect(QD::ToQRect(*r), QD::ToQColor(port.backColor));
	});
}

void InvertRect(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter([r](GrafPort&, QPainter& painter) {
		painter.setCompositionMode(QPainter::RasterOp_NotDestination);
		painter.fillRect(QD::ToQRect(*r), Qt::black);
	});
}

void FrameOval(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter([r](GrafPort& port, QPainter& painter) {
		if (port.pnSize.h > 0 && port.pnSize.v > 0)
			PenFill(port, painter, FramePath(port, *r, OvalPath));
	});
}

void PaintOval(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter(
	    [r](GrafPort& port, QPainter& painter) { PenFill(port, painter, OvalPath(QD::ToQRect(*r))); });
}

void EraseOval(const Rect* r)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter([r](GrafPort& port, QPainter& painter) {
		painter.fillPath(OvalPath(QD::ToQRect(*r)), QD::ToQColor(port.backColor));
	});
}

void FrameRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter([=](GrafPort& port, QPainter& painter) {
		if (port.pnSize.h > 0 && port.pnSize.v > 0)
			PenFill(port, painter, FramePath(port, *r, [=](const QRectF& q) {
				        return RoundRectPath(q, ovalWidth, ovalHeight);
			        }));
	});
}

void PaintRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter([=](GrafPort& port, QPainter& painter) {
		PenFill(port, painter, RoundRectPath(QD::ToQRect(*r), ovalWidth, ovalHeight));
	});
}

void EraseRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight)
{
	if (!r || EmptyRect(r))
		return;
	WithPainter([=](GrafPort& port, QPainter& painter) {
		const QPainterPath path = RoundRectPath(QD::ToQRect(*r), ovalWidth, ovalHeight);
		painter.fillPath(path, QD::ToQColor(port.backColor));
	});
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
	WithPainter([=](GrafPort&, QPainter& painter) {
		painter.fillRect(QD::ToQRect(*r), QD::ToQColor(pattern->color));
	});
}

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
