#include "platform/toolbox/gui/PortPainter.h"

QD::PortPainter::PortPainter(GrafPort& port)
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
		const QRect area = port.clip.boundingRect().translated(-port.origin.h, -port.origin.v) &
		                   QRect(QPoint(0, 0), port.PixelSize());
		if (!area.isEmpty())
			port.drawnNotifier(ToRect(area));
	}
}

QD::PortPainter::~PortPainter()
{
	if (mSaved)
		mPainter->restore();
}
