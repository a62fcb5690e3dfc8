#include "platform/toolbox/gui/PortPainter.h"

void QD::Stamp(GrafPort& port)
{
	static UInt32 sLastStamp = 0;
	port.drawStamp = ++sLastStamp;
}

void QD::NoteDrawn(GrafPort& port, const QRect& inImageArea)
{
	const QRect area = inImageArea & QRect(QPoint(0, 0), port.PixelSize());
	if (area.isEmpty())
		return;
	Stamp(port);
	if (port.drawnNotifier)
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
	QRect local = port.clip.boundingRect();
	if (!inLocalArea.isNull())
		local &= inLocalArea;
	NoteDrawn(port, local.translated(-port.origin.h, -port.origin.v));
}

QD::PortPainter::~PortPainter()
{
	if (mSaved)
		mPainter->restore();
}
