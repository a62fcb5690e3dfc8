#include "platform/toolbox/gui/PortPainter.h"

void QD::NoteDrawn(GrafPort& port, const QRect& inImageArea)
{
	const QRect area = inImageArea & QRect(QPoint(0, 0), port.PixelSize());
	if (port.drawnNotifier && !area.isEmpty())
		port.drawnNotifier(ToRect(area));
}

QD::PortPainter::PortPainter(GrafPort& port, const QRect& inLocalArea)
{
	if (port.externalPainter) {
		if (!port.externalPainter->isActive())
			return;
		mPainter = port.externalPainter;
		mPainter->save();
		mSaved = true;
	} else {
		if (!port.image || port.image->isNull() || !mOwnPainter.begin(port.image))
			return;
		mPainter = &mOwnPainter;
	}
	mPainter->translate(-port.origin.h, -port.origin.v);
	mPainter->setClipRegion(port.clip);
	if (port.drawnNotifier) {
		QRect local = port.clip.boundingRect();
		if (!inLocalArea.isNull())
			local &= inLocalArea;
		NoteDrawn(port, local.translated(-port.origin.h, -port.origin.v));
	}
}

QD::PortPainter::~PortPainter()
{
	if (mSaved)
		mPainter->restore();
}
