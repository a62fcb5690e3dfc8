#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/GrafPort.h"

#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <utility>

namespace
{
GrafPort* sCurrentPort = nullptr;

QRegion RegionOf(RgnHandle region)
{
	return region ? region->region : QRegion();
}
} // namespace

GrafPort::GrafPort() : clip(QD::WideOpenRegion())
{
	bits.port = this;
	pixMap.port = this;
	pixMapPtr = &pixMap;
}

GrafPort::GrafPort(QImage* borrowed) : GrafPort()
{
	image = borrowed;
	RefreshPixMap();
}

QSize GrafPort::PixelSize() const
{
	if (externalPainter)
		return painterSize;
	return image ? image->size() : QSize(0, 0);
}

Rect GrafPort::Bounds() const
{
	const QSize size = PixelSize();
	Rect r;
	r.left = origin.h;
	r.top = origin.v;
	r.right = SInt16(origin.h + size.width());
	r.bottom = SInt16(origin.v + size.height());
	return r;
}

void GrafPort::RefreshPixMap()
{
	pixMap.bounds = Bounds();
	pixMap.pixelSize = SInt16(image && image->depth() <= 16 ? 16 : 32);
}

namespace QD
{
GrafPort* CurrentPort()
{
	return sCurrentPort;
}

QColor ToQColor(const RGBColor& c)
{
	return QColor::fromRgba64(c.red, c.green, c.blue);
}

RGBColor ToRGBColor(const QColor& c)
{
	const QRgba64 rgb = c.rgba64();
	return RGBColor{rgb.red(), rgb.green(), rgb.blue()};
}

QRect ToQRect(const Rect& r)
{
	if (r.right <= r.left || r.bottom <= r.top)
		return QRect();
	return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

Rect ToRect(const QRect& r)
{
	Rect result;
	if (r.isEmpty())
		return result;
	result.left = SInt16(r.left());
	result.top = SInt16(r.top());
	result.right = SInt16(r.left() + r.width());
	result.bottom = SInt16(r.top() + r.height());
	return result;
}

QRegion WideOpenRegion()
{
	return QRegion(-32767, -32767, 65534, 65534);
}
} // namespace QD

GrafPtr NewImagePort(QImage* image)
{
	return new GrafPort(image);
}

GrafPtr NewPainterPort(QPainter* painter, SInt16 width, SInt16 height)
{
	GrafPort* port = new GrafPort;
	port->externalPainter = painter;
	port->painterSize = QSize(std::max<int>(width, 0), std::max<int>(height, 0));
	port->RefreshPixMap();
	return port;
}

void SetPortDrawnNotifier(GrafPtr port, PortDrawnNotifier notifier)
{
	if (port)
		port->drawnNotifier = std::move(notifier);
}

void SetPortScrolledNotifier(GrafPtr port, PortScrolledNotifier notifier)
{
	if (port)
		port->scrolledNotifier = std::move(notifier);
}

UInt32 GetPortDrawStamp(CGrafPtr port)
{
	return port ? port->drawStamp : 0;
}

void DisposePort(GrafPtr port)
{
	if (port == sCurrentPort)
		sCurrentPort = nullptr;
	delete port;
}

void GetPort(GrafPtr* port)
{
	if (port)
		*port = sCurrentPort;
}

void SetPort(GrafPtr port)
{
	sCurrentPort = port;
}

Rect* GetPortBounds(CGrafPtr port, Rect* bounds)
{
	SignalIfNot_(port && bounds);
	if (port && bounds)
		*bounds = port->Bounds();
	return bounds;
}

void SetOrigin(SInt16 h, SInt16 v)
{
	if (GrafPort* port = sCurrentPort) {
		port->origin = Point{v, h};
		port->RefreshPixMap();
	}
}

PixMapHandle GetPortPixMap(CGrafPtr port)
{
	if (!port)
		return nullptr;
	port->RefreshPixMap();
	return &port->pixMapPtr;
}

const BitMap* GetPortBitMapForCopyBits(CGrafPtr port)
{
	return port ? &port->bits : nullptr;
}

void ClipRect(const Rect* r)
{
	if (sCurrentPort && r)
		sCurrentPort->clip = QRegion(QD::ToQRect(*r));
}

void GetClip(RgnHandle region)
{
	if (sCurrentPort && region)
		region->region = sCurrentPort->clip;
}

void SetClip(RgnHandle region)
{
	if (sCurrentPort && region)
		sCurrentPort->clip = region->region;
}

RgnHandle NewRgn()
{
	return new MacRegion;
}

void DisposeRgn(RgnHandle region)
{
	delete region;
}

void RectRgn(RgnHandle region, const Rect* r)
{
	if (region && r)
		region->region = QRegion(QD::ToQRect(*r));
}

void SetRectRgn(RgnHandle region, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom)
{
	Rect r;
	SetRect(&r, left, top, right, bottom);
	RectRgn(region, &r);
}

void CopyRgn(RgnHandle source, RgnHandle destination)
{
	if (destination)
		destination->region = RegionOf(source);
}

void SectRgn(RgnHandle a, RgnHandle b, RgnHandle result)
{
	if (result)
		result->region = RegionOf(a).intersected(RegionOf(b));
}

void UnionRgn(RgnHandle a, RgnHandle b, RgnHandle result)
{
	if (result)
		result->region = RegionOf(a).united(RegionOf(b));
}

void DiffRgn(RgnHandle a, RgnHandle b, RgnHandle result)
{
	if (result)
		result->region = RegionOf(a).subtracted(RegionOf(b));
}

void OffsetRgn(RgnHandle region, SInt16 dh, SInt16 dv)
{
	if (region)
		region->region.translate(dh, dv);
}

Boolean EmptyRgn(RgnHandle region)
{
	return RegionOf(region).isEmpty();
}

Boolean PtInRgn(Point pt, RgnHandle region)
{
	return RegionOf(region).contains(QPoint(pt.h, pt.v));
}

Boolean RectInRgn(const Rect* r, RgnHandle region)
{
	return r && RegionOf(region).intersects(QD::ToQRect(*r));
}

Rect* GetRegionBounds(RgnHandle region, Rect* bounds)
{
	if (bounds)
		*bounds = QD::ToRect(RegionOf(region).boundingRect());
	return bounds;
}

void RGBForeColor(const RGBColor* color)
{
	if (sCurrentPort && color)
		sCurrentPort->foreColor = *color;
}

void RGBBackColor(const RGBColor* color)
{
	if (sCurrentPort && color)
		sCurrentPort->backColor = *color;
}

void GetForeColor(RGBColor* color)
{
	if (sCurrentPort && color)
		*color = sCurrentPort->foreColor;
}

void GetBackColor(RGBColor* color)
{
	if (sCurrentPort && color)
		*color = sCurrentPort->backColor;
}

static RGBColor ClassicColor(SInt32 color)
{
	switch (color) {
	case whiteColor:
		return RGBColor{0xFFFF, 0xFFFF, 0xFFFF};
	case redColor:
		return RGBColor{0xFFFF, 0, 0};
	case greenColor:
		return RGBColor{0, 0xFFFF, 0};
	case blueColor:
		return RGBColor{0, 0, 0xFFFF};
	case cyanColor:
		return RGBColor{0, 0xFFFF, 0xFFFF};
	case magentaColor:
		return RGBColor{0xFFFF, 0, 0xFFFF};
	case yellowColor:
		return RGBColor{0xFFFF, 0xFFFF, 0};
	default:
		return RGBColor{0, 0, 0};
	}
}

void LMGetHiliteRGB(RGBColor* color)
{
	if (!color)
		return;
	if (QGuiApplication::instance())
		*color =
		    QD::ToRGBColor(QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight));
	else
		*color = RGBColor{0x9999, 0xCCCC, 0xFFFF};
}

void GetPortHiliteColor(CGrafPtr, RGBColor* color)
{
	LMGetHiliteRGB(color);
}

void ForeColor(SInt32 color)
{
	const RGBColor c = ClassicColor(color);
	RGBForeColor(&c);
}

void BackColor(SInt32 color)
{
	const RGBColor c = ClassicColor(color);
	RGBBackColor(&c);
}
