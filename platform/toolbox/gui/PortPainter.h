#pragma once

#include "platform/toolbox/gui/GrafPort.h"

namespace QD
{
// Stamps the port as drawn and tells its drawn notifier, if any, of an area of its image (pixel
// coordinates).
void NoteDrawn(GrafPort& port, const QRect& inImageArea);
// A new draw stamp for the port.
void Stamp(GrafPort& port);

// A painter on a port for one drawing step, in the port's local coordinates and clipped to its clip, after
// telling the port's drawn notifier. On a port over a caller's painter, that painter's state is saved and
// given back afterwards.
class PortPainter
{
public:
	// inLocalArea, when not null: all the step draws stays inside it (the notifier hears of no more).
	explicit PortPainter(GrafPort& port, const QRect& inLocalArea = QRect());
	~PortPainter();
	PortPainter(const PortPainter&) = delete;
	PortPainter& operator=(const PortPainter&) = delete;

	// False when the port has nothing to draw into.
	bool IsActive() const { return mPainter != nullptr; }
	QPainter& operator*() { return *mPainter; }
	QPainter* operator->() { return mPainter; }

private:
	QPainter mOwnPainter;
	QPainter* mPainter = nullptr;
	bool mSaved = false;
};
} // namespace QD
