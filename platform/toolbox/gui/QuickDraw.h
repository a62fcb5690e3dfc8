#pragma once
// QuickDraw-style drawing: ports over images, the current port, origin and clipping, the pen, colours,
// rectangles and ovals, text, pixel patterns and copying between ports. Coordinates are the port's local
// ones; the pixel at local (h, v) is the one whose top-left corner is (h, v).

#include "platform/toolbox/MacTypes.h"

#include <functional>

class QImage;
class QPainter;

struct GrafPort;
typedef GrafPort* GrafPtr;
typedef GrafPort* CGrafPtr;
typedef CGrafPtr GWorldPtr;

struct BitMap; // a port's pixels, as CopyBits takes them
struct MacRegion;
typedef MacRegion* RgnHandle;
struct PixPat;
typedef PixPat* PixPatHandle;

struct PixMap {
	Rect bounds;
	SInt16 pixelSize = 32;
	GrafPort* port = nullptr; // the port whose pixels these are, if any
};
typedef PixMap* PixMapPtr;
typedef PixMap** PixMapHandle;

typedef unsigned char Style;
typedef short StyleParameter;
enum : Style {
	normal = 0,
	bold = 1,
	italic = 2,
	underline = 4,
	outline = 8,
	shadow = 0x10,
	condense = 0x20,
	extend = 0x40,
};

// Transfer modes for CopyBits, the pen and text.
enum : SInt16 {
	srcCopy = 0,
	srcOr = 1,
	srcXor = 2,
	srcBic = 3,
	notSrcCopy = 4,
	patCopy = 8,
	patOr = 9,
	patXor = 10,
	blend = 32,
	transparent = 36,
};

// The classic eight colours of ForeColor and BackColor.
enum : SInt32 {
	blackColor = 33,
	whiteColor = 30,
	redColor = 205,
	greenColor = 341,
	blueColor = 409,
	cyanColor = 273,
	magentaColor = 137,
	yellowColor = 69,
};

// An 8 x 8 two-colour pattern, a row per byte, the leftmost pixel in the high bit: set bits draw in the fore
// colour, clear ones in the back colour.
struct Pattern {
	UInt8 pat[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
};

struct PenState {
	Point pnLoc;
	Point pnSize;
	SInt16 pnMode = patCopy;
	Pattern pnPat;
};

struct FontInfo {
	SInt16 ascent = 0;
	SInt16 descent = 0;
	SInt16 widMax = 0;
	SInt16 leading = 0;
};

typedef SInt16 TruncCode;
enum : TruncCode { truncEnd = 0, truncMiddle = 0x4000 };
enum : SInt16 { notTruncated = 0, truncated = 1, truncErr = -1 };

// Ports. A port over a caller's image draws into that image, which must outlive the port; the image may be
// replaced by one of another size (the port's bounds follow it). An image must be in a format QPainter
// can draw into (RGB32, ARGB32 premultiplied, RGB16).
GrafPtr NewImagePort(QImage* image);
// A port drawing through a painter the caller has begun (a printer's, say) and keeps active while the port
// draws; port pixel (0, 0) is the painter's (0, 0) under its transform, and the port is width x height.
// Drawing leaves the painter's own state as it was. Pixels cannot be read back from such a port.
GrafPtr NewPainterPort(QPainter* painter, SInt16 width, SInt16 height);
void DisposePort(GrafPtr port);
// Called before each drawing step with the part of the image (in image coordinates) that the port's clip
// leaves open, so that whoever shows the image knows what to show again.
using PortDrawnNotifier = std::function<void(const Rect& imageArea)>;
void SetPortDrawnNotifier(GrafPtr port, PortDrawnNotifier notifier);
// Called by ScrollRect with the area whose pixels moved and by how much (image coordinates); a port without
// one tells its drawn notifier of the whole area instead.
using PortScrolledNotifier = std::function<void(const Rect& imageArea, SInt16 dh, SInt16 dv)>;
void SetPortScrolledNotifier(GrafPtr port, PortScrolledNotifier notifier);
// A stamp that differs from any earlier one once anything is drawn into the port: what was drawn can be
// known to be still there.
UInt32 GetPortDrawStamp(CGrafPtr port);
void GetPort(GrafPtr* port);
void SetPort(GrafPtr port);
Rect* GetPortBounds(CGrafPtr port, Rect* bounds);
// Moves the local coordinate system so that the port's top-left pixel is (h, v); the clip keeps its
// local coordinates, as in QuickDraw.
void SetOrigin(SInt16 h, SInt16 v);
PixMapHandle GetPortPixMap(CGrafPtr port);
const BitMap* GetPortBitMapForCopyBits(CGrafPtr port);

// Clipping of the current port.
void ClipRect(const Rect* r);
void GetClip(RgnHandle region);
void SetClip(RgnHandle region);

// Regions (unions of rectangles).
RgnHandle NewRgn();
void DisposeRgn(RgnHandle region);
void RectRgn(RgnHandle region, const Rect* r);
void SetRectRgn(RgnHandle region, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
void CopyRgn(RgnHandle source, RgnHandle destination);
void SectRgn(RgnHandle a, RgnHandle b, RgnHandle result);
void UnionRgn(RgnHandle a, RgnHandle b, RgnHandle result);
void DiffRgn(RgnHandle a, RgnHandle b, RgnHandle result);
void OffsetRgn(RgnHandle region, SInt16 dh, SInt16 dv);
Boolean EmptyRgn(RgnHandle region);
Boolean PtInRgn(Point pt, RgnHandle region);
Boolean RectInRgn(const Rect* r, RgnHandle region);
Rect* GetRegionBounds(RgnHandle region, Rect* bounds);

// The pen.
void MoveTo(SInt16 h, SInt16 v);
void Move(SInt16 dh, SInt16 dv);
void LineTo(SInt16 h, SInt16 v);
void Line(SInt16 dh, SInt16 dv);
void GetPen(Point* pt);
void PenSize(SInt16 width, SInt16 height);
void PenMode(SInt16 mode);
// In patXor mode the pen inverts where its pattern is set and leaves the rest.
void PenPat(const Pattern* pattern);
void PenNormal();
Pattern* GetQDGlobalsBlack(Pattern* result);
Pattern* GetQDGlobalsDarkGray(Pattern* result);
Pattern* GetQDGlobalsGray(Pattern* result);
Pattern* GetQDGlobalsLightGray(Pattern* result);
Pattern* GetQDGlobalsWhite(Pattern* result);
void GetPenState(PenState* state);
void SetPenState(const PenState* state);

// Colours of the current port.
void RGBForeColor(const RGBColor* color);
void RGBBackColor(const RGBColor* color);
void GetForeColor(RGBColor* color);
void GetBackColor(RGBColor* color);
void ForeColor(SInt32 color);
void BackColor(SInt32 color);
// The colour that marks selected items: the desktop's highlight colour.
void GetPortHiliteColor(CGrafPtr port, RGBColor* color);
void LMGetHiliteRGB(RGBColor* color);

// Shapes, in the fore colour (paint, frame), the back colour (erase) or inverted.
void FrameRect(const Rect* r);
void PaintRect(const Rect* r);
void EraseRect(const Rect* r);
void InvertRect(const Rect* r);
// Moves the pixels inside r (and the clip) of the current port by (dh, dv) and erases what they left in
// the background colour; updateRgn, when given, becomes the erased area.
void ScrollRect(const Rect* r, SInt16 dh, SInt16 dv, RgnHandle updateRgn);
void FrameOval(const Rect* r);
void PaintOval(const Rect* r);
void EraseOval(const Rect* r);
void FrameRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight);
void PaintRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight);
void EraseRoundRect(const Rect* r, SInt16 ovalWidth, SInt16 ovalHeight);
void GetCPixel(SInt16 h, SInt16 v, RGBColor* color);
void SetCPixel(SInt16 h, SInt16 v, const RGBColor* color);

// Colour pixel patterns (a single colour: all the system fills with).
PixPatHandle NewPixPat();
void DisposePixPat(PixPatHandle pattern);
void MakeRGBPat(PixPatHandle pattern, const RGBColor* color);
void FillCRect(const Rect* r, PixPatHandle pattern);

// Copies srcRect of one port's pixels to dstRect of another's (scaling when the sizes differ), clipped to
// the destination port's clip and to maskRgn when given. Modes: srcCopy, transparent (pixels of the back
// colour are left out), srcXor; the others copy as srcCopy. The port's colours never tint the copy.
void CopyBits(const BitMap* srcBits, const BitMap* dstBits, const Rect* srcRect, const Rect* dstRect,
              SInt16 mode, RgnHandle maskRgn);

// Rectangles and points.
void SetRect(Rect* r, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
void OffsetRect(Rect* r, SInt16 dh, SInt16 dv);
void InsetRect(Rect* r, SInt16 dh, SInt16 dv);
Boolean SectRect(const Rect* a, const Rect* b, Rect* result);
void UnionRect(const Rect* a, const Rect* b, Rect* result);
Boolean PtInRect(Point pt, const Rect* r);
Boolean EqualRect(const Rect* a, const Rect* b);
Boolean EmptyRect(const Rect* r);
void SetPt(Point* pt, SInt16 h, SInt16 v);
Boolean EqualPt(Point a, Point b);

// Text state of the current port. Size 0 is the default size (12).
void TextFont(SInt16 font);
void TextSize(SInt16 size);
void TextFace(StyleParameter face);
void TextMode(SInt16 mode);
SInt16 GetPortTextFont(CGrafPtr port);
SInt16 GetPortTextSize(CGrafPtr port);
Style GetPortTextFace(CGrafPtr port);
SInt16 GetPortTextMode(CGrafPtr port);

// Text is Mac Roman bytes, drawn with its baseline at the pen, which moves right by the text's width.
// In srcCopy text mode the text's box is filled with the back colour first; in srcXor the text inverts
// what it covers, so that drawing it again takes it away.
void DrawChar(SInt16 ch);
void DrawString(ConstStr255Param s);
void DrawString(const char* s);
void DrawText(const void* text, SInt16 firstByte, SInt16 byteCount);
SInt16 CharWidth(SInt16 ch);
SInt16 StringWidth(ConstStr255Param s);
SInt16 StringWidth(const char* s);
SInt16 TextWidth(const void* text, SInt16 firstByte, SInt16 byteCount);
void GetFontInfo(FontInfo* info);
// Shortens the text so that it fits width in the current port's font, with an ellipsis at the end or in
// the middle. Answers notTruncated, truncated or truncErr (not even the ellipsis fits; the text is emptied).
SInt16 TruncString(SInt16 width, StringPtr s, TruncCode where);
SInt16 TruncText(SInt16 width, Ptr text, SInt16* length, TruncCode where);
