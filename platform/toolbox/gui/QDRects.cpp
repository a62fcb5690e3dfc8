#include "platform/toolbox/gui/QuickDraw.h"

#include <algorithm>

void SetRect(Rect* r, SInt16 left, SInt16 top, SInt16 right, SInt16 bottom)
{
	if (!r)
		return;
	r->left = left;
	r->top = top;
	r->right = right;
	r->bottom = bottom;
}

void OffsetRect(Rect* r, SInt16 dh, SInt16 dv)
{
	if (!r)
		return;
	r->left = SInt16(r->left + dh);
	r->right = SInt16(r->right + dh);
	r->top = SInt16(r->top + dv);
	r->bottom = SInt16(r->bottom + dv);
}

void InsetRect(Rect* r, SInt16 dh, SInt16 dv)
{
	if (!r)
		return;
	r->left = SInt16(r->left + dh);
	r->right = SInt16(r->right - dh);
	r->top = SInt16(r->top + dv);
	r->bottom = SInt16(r->bottom - dv);
	// An inset past the middle leaves an empty rectangle at the origin, as QuickDraw does.
	if (r->right <= r->left || r->bottom <= r->top)
		*r = Rect{};
}

Boolean SectRect(const Rect* a, const Rect* b, Rect* result)
{
	Rect s;
	s.left = std::max(a->left, b->left);
	s.top = std::max(a->top, b->top);
	s.right = std::min(a->right, b->right);
	s.bottom = std::min(a->bottom, b->bottom);
	if (s.right <= s.left || s.bottom <= s.top)
		s = Rect{};
	if (result)
		*result = s;
	return !EmptyRect(&s);
}

void UnionRect(const Rect* a, const Rect* b, Rect* result)
{
	if (!result)
		return;
	Rect u;
	u.left = std::min(a->left, b->left);
	u.top = std::min(a->top, b->top);
	u.right = std::max(a->right, b->right);
	u.bottom = std::max(a->bottom, b->bottom);
	*result = u;
}

Boolean PtInRect(Point pt, const Rect* r)
{
	return r && pt.h >= r->left && pt.h < r->right && pt.v >= r->top && pt.v < r->bottom;
}

Boolean EqualRect(const Rect* a, const Rect* b)
{
	return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

Boolean EmptyRect(const Rect* r)
{
	return !r || r->right <= r->left || r->bottom <= r->top;
}

void SetPt(Point* pt, SInt16 h, SInt16 v)
{
	if (pt)
		*pt = Point{v, h};
}

Boolean EqualPt(Point a, Point b)
{
	return a.h == b.h && a.v == b.v;
}
