#pragma once
// The application object: the top commander, host of the attachments that see every event, and owner of
// the event loop. Qt's event loop is the main loop; a precise timer of one tick gives the null event when
// no real event came during that tick. Each event goes:
//   real event:  the application's attachments (msg_Event), then, unless one of them stops it, the
//                framework's path (a click to its window, a key to the target's chain), then the repeaters;
//   null event:  the application's attachments, then the idlers, then the repeaters.
// Everything runs inside UDispatch::Run, so exceptions never reach Qt. A QApplication must exist first.

#include "platform/framework/LCommander.h"

#include <functional>

class LWindow;

enum EProgramState { programState_StartingUp, programState_ProcessingEvents, programState_Quitting };

class LApplication : public LCommander
{
public:
	LApplication(); // becomes the application and the default commander
	~LApplication() override;

	static LApplication* GetApplication() { return sApplication; }

	// Initialize, StartUp, then the event loop until quit.
	void Run();
	EProgramState GetState() const { return mState; }
	// Asks every commander (AttemptQuit); when all agree, closes the windows and ends the loop.
	virtual void DoQuit(SInt32 inSaveOption = 0);
	// A quit asked for from outside (a signal, a script): DoQuit, once any modal loop under way has ended
	// as its Cancel would. One that drops unsaved changes (kAENo) also ends a quit held up by a question,
	// which then runs again without asking.
	void RequestQuit(SInt32 inSaveOption = 0);

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

	// The longest wait for the next event, in ticks (the system sets 1): the null event's period.
	void SetSleepTime(UInt32 inTicks);
	UInt32 GetSleepTime() const { return mSleepTime; }

	// Entry points of the loop, also used by tests to drive it without real time.
	static void DispatchEvent(EventRecord& ioEvent, LWindow* inWindow, SInt16 inClickCount = 1);
	static void DispatchNullEvent();
	// The tick timer's work: the null event of a tick that has not had one (one however late the timer
	// is; ticks missed are not made up), every sleep time ticks.
	static void DispatchTick();
	// One pass: waits up to one tick for Qt events and handles them (the tick timer gives null events).
	static void ProcessNextEvent();
	// A menu command (from the menu bar or a contextual menu): the target's chain, then the repeaters.
	static void DispatchCommand(CommandT inCommand);

	// Wheel events go to this handler when one is set: window, vertical axis, delta in steps (positive
	// away from the user), mouse location (global), modifiers; true when handled.
	typedef std::function<Boolean(LWindow*, Boolean, SInt32, Point, UInt16)> WheelHandler;
	static void SetWheelHandler(WheelHandler inHandler);
	static Boolean DispatchWheel(LWindow* inWindow, Boolean inVertical, SInt32 inDelta,
	                             Point inGlobalWhere, UInt16 inModifiers);

	static UInt32 GetDblTime(); // the toolbox's double-click time, in ticks

	// The application lost or regained the user's attention.
	virtual void Suspend();
	virtual void Resume();

protected:
	virtual void Initialize();
	virtual void StartUp();
	virtual void DoPreferences();
	virtual void ShowAboutBox();
	// The framework's path for a real event, after the attachments.
	virtual void DispatchEventSelf(EventRecord& ioEvent, LWindow* inWindow, SInt16 inClickCount);

	EProgramState mState = programState_StartingUp;
	UInt32 mSleepTime = 1;
	bool mInDoQuit = false;

private:
	static void AfterEvent(const EventRecord& inEvent);
	static LApplication* sApplication;
};
