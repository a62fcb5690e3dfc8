#include "platform/toolbox/gui/Events.h"

#include "platform/toolbox/gui/GrafPort.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdlib>

namespace
{
Boolean sDown = false;
Boolean sFromWindowSystem = false;
Point sWhere;
UInt32 sLastClickTick = 0;
Point sLastClickWhere;
SInt16 sClickCount = 0;

UInt32 sInputSeed = 0; // counts what the mouse did

// Takes in the input that is waiting. A press from the window system waits for more (at most until the next
// tick) and ends when the window system says the button is up, wherever the release went (a menu, another
// application). A press sent by the program (a script) ends with its release or, missing one, when the
// script has nothing more to say.
void TakeInput()
{
	auto* app = QCoreApplication::instance();
	if (!app) {
		sDown = false;
		return;
	}
	if (!sFromWindowSystem) {
		const UInt32 seed = sInputSeed;
		QCoreApplication::processEvents();
		if (seed == sInputSeed)
			sDown = false;
		return;
	}
	QTimer wake;
	wake.setSingleShot(true);
	wake.start(17);
	QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
	if (sDown && qobject_cast<QGuiApplication*>(app) &&
	    !(QGuiApplication::mouseButtons() & Qt::LeftButton))
		sDown = false;
}
} // namespace

Boolean Button()
{
	return sDown;
}

Boolean StillDown()
{
	if (!sDown)
		return false;
	TakeInput();
	return sDown;
}

Boolean WaitMouseUp()
{
	return StillDown();
}

void GetGlobalMouse(Point* outGlobal)
{
	if (outGlobal)
		*outGlobal = sWhere;
}

void GetMouse(Point* outLocal)
{
	if (!outLocal)
		return;
	*outLocal = sWhere;
	if (GrafPort* port = QD::CurrentPort()) {
		outLocal->h = SInt16(sWhere.h - port->globalOffset.h + port->origin.h);
		outLocal->v = SInt16(sWhere.v - port->globalOffset.v + port->origin.v);
	}
}

UInt32 GetDblTime()
{
	return 30;
}

namespace MouseState
{
void Pressed(Point inGlobal, Boolean inFromWindowSystem)
{
	sDown = true;
	sFromWindowSystem = inFromWindowSystem;
	sWhere = inGlobal;
	++sInputSeed;
}

void Released(Point inGlobal)
{
	sDown = false;
	sWhere = inGlobal;
	++sInputSeed;
}

void Moved(Point inGlobal)
{
	sWhere = inGlobal;
	++sInputSeed;
}

SInt16 CountClick(UInt32 inWhen, Point inGlobal)
{
	if (sClickCount > 0 && inWhen - sLastClickTick <= GetDblTime() &&
	    std::abs(inGlobal.h - sLastClickWhere.h) <= 4 && std::abs(inGlobal.v - sLastClickWhere.v) <= 4)
		++sClickCount;
	else
		sClickCount = 1;
	sLastClickTick = inWhen;
	sLastClickWhere = inGlobal;
	return sClickCount;
}

void Reset()
{
	sDown = false;
	sFromWindowSystem = false;
	sWhere = Point{};
	sLastClickTick = 0;
	sLastClickWhere = Point{};
	sClickCount = 0;
}
} // namespace MouseState
