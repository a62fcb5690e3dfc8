#include "platform/framework/LApplication.h"

#include "platform/framework/LDocument.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Events.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <algorithm>

LApplication* LApplication::sApplication = nullptr;

namespace
{

LApplication::WheelHandler sWheelHandler;

UInt16 CurrentModifiers()
{
	UInt16 m = 0;
	// As the last input event left them: asking the display would cost a round trip on every tick.
	const Qt::KeyboardModifiers q = QGuiApplication::keyboardModifiers();
	if (q & Qt::ShiftModifier)
		m |= shiftKey;
	if (q & Qt::ControlModifier)
		m |= cmdKey;
	if (q & Qt::AltModifier)
		m |= optionKey;
	if (q & Qt::MetaModifier)
		m |= controlKey;
	if (!Button())
		m |= btnState; // set while the button is up, as in the toolbox
	return m;
}

QPointer<QTimer> sTickTimer;
UInt32 sLastNullTick = 0;
bool sTicked = false;

UInt32 SleepTicks()
{
	const LApplication* app = LApplication::GetApplication();
	return std::max<UInt32>(app ? app->GetSleepTime() : 1, 1);
}

// The tick timer fires when the tick count changes (not every 16 ms, which would drift against it) and
// gives the null event; it runs while a Qt application exists.
void EnsureTickTimer()
{
	if (sTickTimer || !QCoreApplication::instance())
		return;
	sTickTimer = new QTimer(QCoreApplication::instance());
	sTickTimer->setTimerType(Qt::PreciseTimer);
	sTickTimer->setSingleShot(true);
	QObject::connect(sTickTimer, &QTimer::timeout, [] { LApplication::DispatchTick(); });
	sTickTimer->start(int(MillisecondsToNextTick()));
}

// Suspend and resume follow the application's state; connected once per Qt application.
void WatchApplicationState()
{
	static QObject* watched = nullptr;
	auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
	if (!gui || gui == watched)
		return;
	watched = gui;
	QObject::connect(gui, &QGuiApplication::applicationStateChanged, gui, [](Qt::ApplicationState state) {
		LApplication* app = LApplication::GetApplication();
		if (!app)
			return;
		UDispatch::Run([app, state] {
			if (state == Qt::ApplicationActive)
				app->Resume();
			else
				app->Suspend();
		});
	});
}

void FrameworkPath(EventRecord& ioEvent, LWindow* inWindow, SInt16 inClickCount)
{
	switch (ioEvent.what) {
	case keyDown:
	case autoKey:
		if (LCommander* target =
		        LCommander::GetTarget() ? LCommander::GetTarget() : LCommander::GetDefaultCommander())
			target->ProcessKeyPress(ioEvent);
		break;
	case mouseDown:
		if (inWindow)
			inWindow->HandleClick(ioEvent, inClickCount);
		break;
	default:
		break;
	}
}

} // namespace

LApplication::LApplication()
{
	SetSuperCommander(nullptr);
	sApplication = this;
	SetDefaultCommander(this);
	WatchApplicationState();
}

LApplication::~LApplication()
{
	mState = programState_Quitting;
	// The windows go first, while the application they may call is still whole.
	const auto subs = mSubCommanders;
	for (LCommander* sub : subs)
		if (auto* window = dynamic_cast<LWindow*>(sub))
			delete window;
	if (sApplication == this)
		sApplication = nullptr;
}

void LApplication::Run()
{
	// Messages shown while starting up get their ticks too, so that a quit reaches them.
	EnsureTickTimer();
	UDispatch::Run([this] { Initialize(); });
	UDispatch::Run([this] { StartUp(); });
	if (!GetTarget())
		SwitchTarget(this);
	if (mState == programState_Quitting)
		return;
	mState = programState_ProcessingEvents;
	QCoreApplication::exec();
}

void LApplication::SetSleepTime(UInt32 inTicks)
{
	mSleepTime = inTicks;
}

void LApplication::DispatchTick()
{
	const UInt32 now = TickCount();
	const bool due = !sTicked || now - sLastNullTick >= SleepTicks();
	if (due) {
		sTicked = true;
		sLastNullTick = now;
	}
	// Woken early, it waits for the tick; after a null event, for the one the sleep time is up at. Armed
	// before the null event, so that a modal loop entered from it still gets its ticks.
	if (sTickTimer)
		sTickTimer->start(int(MillisecondsToNextTick() + (due ? (SleepTicks() - 1) * 1000 / 60 : 0)));
	if (due)
		DispatchNullEvent();
}

void LApplication::DoQuit(SInt32 inSaveOption)
{
	mInDoQuit = true;
	const bool agreed = AttemptQuit(inSaveOption);
	mInDoQuit = false;
	if (!agreed)
		return;
	mState = programState_Quitting;
	for (LWindow* window : LWindow::GetWindowList())
		window->DoClose();
	QCoreApplication::quit();
}

void LApplication::RequestQuit(SInt32 inSaveOption)
{
	// A quit already under way (asking about unsaved documents, say) is not cut short by a second.
	if (mState == programState_Quitting || (mInDoQuit && inSaveOption != kAENo))
		return;
	StModalLoop::Quit([inSaveOption] {
		LApplication* app = GetApplication();
		if (!app || app->mState == programState_Quitting || app->mInDoQuit)
			return;
		UDispatch::Run([app, inSaveOption] { app->DoQuit(inSaveOption); });
		LWindow::AfterDispatch();
	});
}

Boolean LApplication::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case cmd_Quit:
		DoQuit();
		return true;
	case cmd_About:
		ShowAboutBox();
		return true;
	case cmd_Preferences:
		DoPreferences();
		return true;
	default:
		return LCommander::ObeyCommand(inCommand, ioParam);
	}
}

void LApplication::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                     UInt16& outMark, Str255 outName)
{
	switch (inCommand) {
	case cmd_Quit:
	case cmd_About:
	case cmd_Preferences:
		outEnabled = true;
		break;
	default:
		LCommander::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
	}
}

void LApplication::Initialize() {}
void LApplication::StartUp() {}
void LApplication::DoPreferences() {}
void LApplication::ShowAboutBox() {}

void LApplication::Suspend()
{
	for (LWindow* window : LWindow::GetWindowList())
		window->Suspend();
}

void LApplication::Resume()
{
	for (LWindow* window : LWindow::GetWindowList())
		window->Resume();
}

void LApplication::DispatchEvent(EventRecord& ioEvent, LWindow* inWindow, SInt16 inClickCount)
{
	UDispatch::Run([&] {
		if (!sApplication) {
			FrameworkPath(ioEvent, inWindow,
			              inClickCount); // windows without an application (tests)
		} else if (sApplication->ExecuteAttachments(msg_Event, &ioEvent)) {
			sApplication->DispatchEventSelf(ioEvent, inWindow, inClickCount);
		}
	});
	AfterEvent(ioEvent);
}

void LApplication::DispatchEventSelf(EventRecord& ioEvent, LWindow* inWindow, SInt16 inClickCount)
{
	FrameworkPath(ioEvent, inWindow, inClickCount);
}

void LApplication::DispatchNullEvent()
{
	EventRecord event;
	event.what = nullEvent;
	event.when = TickCount();
	GetGlobalMouse(&event.where);
	event.modifiers = CurrentModifiers();
	bool executeHost = true;
	UDispatch::Run(
	    [&] { executeHost = !sApplication || sApplication->ExecuteAttachments(msg_Event, &event); });
	if (executeHost)
		LPeriodical::DevoteTimeToIdlers(event);
	AfterEvent(event);
}

void LApplication::AfterEvent(const EventRecord& inEvent)
{
	LPeriodical::DevoteTimeToRepeaters(inEvent);
	LWindow::AfterDispatch();
}

void LApplication::ProcessNextEvent()
{
	EnsureTickTimer();
	if (QCoreApplication::instance())
		QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void LApplication::DispatchCommand(CommandT inCommand)
{
	UDispatch::Run([inCommand] {
		LCommander* target = GetTarget() ? GetTarget() : GetDefaultCommander();
		if (target)
			target->ProcessCommand(inCommand);
	});
	EventRecord event;
	event.what = nullEvent;
	event.when = TickCount();
	event.modifiers = CurrentModifiers();
	AfterEvent(event);
}

UInt32 LApplication::GetDblTime()
{
	return ::GetDblTime();
}

void LApplication::SetWheelHandler(WheelHandler inHandler)
{
	sWheelHandler = std::move(inHandler);
}

Boolean LApplication::DispatchWheel(LWindow* inWindow, Boolean inVertical, SInt32 inDelta,
                                    Point inGlobalWhere, UInt16 inModifiers)
{
	Boolean handled = false;
	if (sWheelHandler)
		UDispatch::Run([&] {
			handled = sWheelHandler(inWindow, inVertical, inDelta, inGlobalWhere, inModifiers);
		});
	return handled;
}
