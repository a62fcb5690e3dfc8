#include "platform/toolbox/gui/QDImageHandles.h"

#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <type_traits>

namespace
{

// A handle is the address of the master pointer, the first member of its block.
template <class T> struct SImageBlock {
	T* master = nullptr;
	T record;
	QImage* image = nullptr;
};

template <class T> SImageBlock<T>* BlockOf(T** inHandle)
{
	static_assert(std::is_standard_layout_v<SImageBlock<T>>);
	return reinterpret_cast<SImageBlock<T>*>(inHandle);
}

// The image is copied, so a handle stays whole when the store is cleared.
template <class T> SImageBlock<T>* NewBlock(const SResImage* inImage)
{
	if (!inImage)
		return nullptr;
	auto* block = new SImageBlock<T>;
	block->master = &block->record;
	const QImage view(reinterpret_cast<const uchar*>(inImage->pixels.data()), inImage->width,
	                  inImage->height, QImage::Format_ARGB32);
	block->image = new QImage(view.copy());
	return block;
}

template <class T> void DeleteBlock(T** inHandle)
{
	if (!inHandle)
		return;
	SImageBlock<T>* block = BlockOf(inHandle);
	delete block->image;
	delete block;
}

Rect SizeRect(const QImage& inImage)
{
	Rect r;
	r.right = SInt16(inImage.width());
	r.bottom = SInt16(inImage.height());
	return r;
}

} // namespace

const QImage* QD::ImageOf(PicHandle inPicture)
{
	return inPicture ? BlockOf(inPicture)->image : nullptr;
}

const QImage* QD::ImageOf(CIconHandle inIcon)
{
	return inIcon ? BlockOf(inIcon)->image : nullptr;
}

PicHandle GetPicture(SInt16 inID)
{
	auto* block = NewBlock<Picture>(ResourceStore::Get().GetPicture(inID));
	if (!block)
		return nullptr;
	block->record.picFrame = SizeRect(*block->image);
	return &block->master;
}

void DrawPicture(PicHandle inPicture, const Rect* inDestination)
{
	if (inPicture && inDestination)
		QD::DrawImage(*QD::ImageOf(inPicture), *inDestination);
}

void KillPicture(PicHandle inPicture)
{
	DeleteBlock(inPicture);
}

Rect* QDGetPictureBounds(PicHandle inPicture, Rect* outBounds)
{
	*outBounds = inPicture ? (**inPicture).picFrame : Rect();
	return outBounds;
}

CIconHandle GetCIcon(SInt16 inID)
{
	auto* block = NewBlock<CIcon>(ResourceStore::Get().GetColourIcon(inID));
	if (!block)
		return nullptr;
	block->record.iconPMap.bounds = SizeRect(*block->image);
	return &block->master;
}

void PlotCIcon(const Rect* inDestination, CIconHandle inIcon)
{
	if (inIcon && inDestination)
		QD::DrawImage(*QD::ImageOf(inIcon), *inDestination);
}

void DisposeCIcon(CIconHandle inIcon)
{
	DeleteBlock(inIcon);
}
