#pragma once
// The chain of command. Commanders form a tree (the application at the top, windows and their fields
// beneath); one of them is the target. Keys and menu commands go to the target and travel up through the
// super commanders until one handles them. A commander owns its sub commanders.

#include "platform/framework/LAttachable.h"

#include <vector>

class LCommander : public virtual LAttachable
{
public:
	LCommander(); // below the default commander
	explicit LCommander(LCommander* inSuper);
	~LCommander() override; // deletes its subs; leaves the target chain and its super
	LCommander(const LCommander&) = delete;
	LCommander& operator=(const LCommander&) = delete;

	LCommander* GetSuperCommander() const { return mSuperCommander; }
	virtual void SetSuperCommander(LCommander* inSuper);
	const std::vector<LCommander*>& GetSubCommanders() const { return mSubCommanders; }

	// Handles the command or passes it to the super commander; true when someone handled it.
	virtual Boolean ObeyCommand(CommandT inCommand, void* ioParam);
	// Decides the enabling, mark and (optionally) text of a menu command. The caller sets outEnabled and
	// outUsesMark false, outMark to noMark and outName empty; the default asks the super commander.
	virtual void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
	                               UInt16& outMark, Str255 outName);
	// Handles a key or passes it to the super commander; true when someone handled it. The default runs a
	// command key's menu command (when enabled) and passes other keys up.
	virtual Boolean HandleKeyPress(const EventRecord& inKeyEvent);
	// Asked before a sub commander goes away; false keeps it.
	virtual Boolean AllowSubRemoval(LCommander* inSub);
	// Quitting: asks every sub, then AttemptQuitSelf.
	virtual Boolean AttemptQuit(SInt32 inSaveOption);
	virtual Boolean AttemptQuitSelf(SInt32 inSaveOption);

	// Entry points: the target's attachments see the key first (msg_KeyPress).
	Boolean ProcessKeyPress(const EventRecord& inKeyEvent);
	Boolean ProcessCommand(CommandT inCommand, void* ioParam = nullptr);
	// FindCommandStatus with the defaults set, for the target's chain.
	void ProcessCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
	                          UInt16& outMark, Str255 outName);

	static LCommander* GetTarget() { return sTarget; }
	// Makes inNewTarget the target; false (and no change) when it refuses (AllowBeTarget).
	static Boolean SwitchTarget(LCommander* inNewTarget);
	Boolean IsTarget() const { return sTarget == this; }
	Boolean IsOnDuty() const; // this is the target or one of its supers

	// The commander that becomes target when nothing else is (normally the application).
	static LCommander* GetDefaultCommander() { return sDefaultCommander; }
	static void SetDefaultCommander(LCommander* inCommander) { sDefaultCommander = inCommander; }

	// Menus look at this to know that enabling must be computed again.
	static void SetUpdateCommandStatus(Boolean inUpdate) { sUpdateCommandStatus = inUpdate; }
	static Boolean GetUpdateCommandStatus() { return sUpdateCommandStatus; }

	// The sub that becomes target when this commander is made target by its window being activated.
	void SetLatentSub(LCommander* inSub) { mLatentSub = inSub; }
	LCommander* GetLatentSub() const { return mLatentSub; }

protected:
	virtual Boolean AllowBeTarget(LCommander* inNewTarget);
	virtual Boolean AllowDontBeTarget(LCommander* inNewTarget);
	virtual void BeTarget();
	virtual void DontBeTarget();

	LCommander* mSuperCommander = nullptr;
	std::vector<LCommander*> mSubCommanders;
	LCommander* mLatentSub = nullptr;

private:
	static LCommander* sTarget;
	static LCommander* sDefaultCommander;
	static Boolean sUpdateCommandStatus;
};
