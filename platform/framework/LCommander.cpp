#include "platform/framework/LCommander.h"

#include "platform/framework/LMenuBar.h"
#include "platform/framework/LView.h"
#include "platform/framework/LWindow.h"

#include <algorithm>

LCommander* LCommander::sTarget = nullptr;
LCommander* LCommander::sDefaultCommander = nullptr;
Boolean LCommander::sUpdateCommandStatus = false;

LCommander::LCommander()
{
	SetSuperCommander(sDefaultCommander);
}

LCommander::LCommander(LCommander* inSuper)
{
	SetSuperCommander(inSuper);
}

LCommander::~LCommander()
{
	if (IsOnDuty()) {
		sTarget = nullptr;
		LCommander* next = mSuperCommander ? mSuperCommander : sDefaultCommander;
		if (next && next != this)
			SwitchTarget(next);
	}
	while (!mSubCommanders.empty()) {
		LCommander* sub = mSubCommanders.back();
		// A sub that is also a pane may still sit in this commander's view (destroyed after this
		// part).
		if (auto* pane = dynamic_cast<LPane*>(sub); pane && pane->GetSuperView())
			pane->PutInside(nullptr);
		delete sub;
	}
	LCommander* super = mSuperCommander;
	SetSuperCommander(nullptr);
	if (sDefaultCommander == this)
		sDefaultCommander = nullptr;
	// A sub going away (a window activating the one behind it) may have handed the target back to us.
	if (sTarget == this) {
		sTarget = nullptr;
		if (super)
			SwitchTarget(super);
	}
	for (LCommander* c = sTarget; c; c = c->mSuperCommander)
		if (c->mLatentSub == this)
			c->mLatentSub = nullptr;
}

void LCommander::SetSuperCommander(LCommander* inSuper)
{
	if (mSuperCommander) {
		std::erase(mSuperCommander->mSubCommanders, this);
		if (mSuperCommander->mLatentSub == this)
			mSuperCommander->mLatentSub = nullptr;
	}
	mSuperCommander = inSuper;
	if (inSuper)
		inSuper->mSubCommanders.push_back(this);
}

Boolean LCommander::ObeyCommand(CommandT inCommand, void* ioParam)
{
	return mSuperCommander ? mSuperCommander->ObeyCommand(inCommand, ioParam) : false;
}

void LCommander::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                   UInt16& outMark, Str255 outName)
{
	if (mSuperCommander)
		mSuperCommander->FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

Boolean LCommander::HandleKeyPress(const EventRecord& inKeyEvent)
{
	if (inKeyEvent.modifiers & cmdKey) {
		LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
		const CommandT command = bar ? bar->FindKeyCommand(inKeyEvent) : cmd_Nothing;
		if (command != cmd_Nothing) {
			Boolean enabled, usesMark;
			UInt16 mark;
			Str255 name;
			ProcessCommandStatus(command, enabled, usesMark, mark, name);
			if (enabled)
				ProcessCommand(command);
			return true; // a disabled item's equivalent is swallowed
		}
	}
	return mSuperCommander ? mSuperCommander->ProcessKeyPress(inKeyEvent) : false;
}

Boolean LCommander::AllowSubRemoval(LCommander*)
{
	return true;
}

Boolean LCommander::AttemptQuit(SInt32 inSaveOption)
{
	const std::vector<LCommander*> subs = mSubCommanders;
	for (LCommander* sub : subs)
		if (std::find(mSubCommanders.begin(), mSubCommanders.end(), sub) != mSubCommanders.end() &&
		    !sub->AttemptQuit(inSaveOption))
			return false;
	return AttemptQuitSelf(inSaveOption);
}

Boolean LCommander::AttemptQuitSelf(SInt32)
{
	return true;
}

Boolean LCommander::ProcessKeyPress(const EventRecord& inKeyEvent)
{
	EventRecord event = inKeyEvent;
	if (!ExecuteAttachments(msg_KeyPress, &event))
		return true;
	return HandleKeyPress(inKeyEvent);
}

Boolean LCommander::ProcessCommand(CommandT inCommand, void* ioParam)
{
	return ObeyCommand(inCommand, ioParam);
}

void LCommander::ProcessCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                      UInt16& outMark, Str255 outName)
{
	outEnabled = false;
	outUsesMark = false;
	outMark = noMark;
	outName[0] = 0;
	FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

Boolean LCommander::SwitchTarget(LCommander* inNewTarget)
{
	if (inNewTarget == sTarget)
		return true;
	if (inNewTarget && !inNewTarget->AllowBeTarget(inNewTarget))
		return false;
	if (sTarget && !sTarget->AllowDontBeTarget(inNewTarget))
		return false;
	LCommander* old = sTarget;
	sTarget = inNewTarget;
	if (old)
		old->DontBeTarget();
	if (inNewTarget) {
		// The super remembers the sub that was last its target. Not a window under another (a ledger
		// under its portfolio): activating the outer window would hand its keys into the inner one.
		if (inNewTarget->mSuperCommander && !dynamic_cast<LWindow*>(inNewTarget))
			inNewTarget->mSuperCommander->mLatentSub = inNewTarget;
		inNewTarget->BeTarget();
	}
	sUpdateCommandStatus = true;
	return true;
}

Boolean LCommander::IsOnDuty() const
{
	for (const LCommander* c = sTarget; c; c = c->mSuperCommander)
		if (c == this)
			return true;
	return false;
}

Boolean LCommander::AllowBeTarget(LCommander*)
{
	return true;
}

Boolean LCommander::AllowDontBeTarget(LCommander*)
{
	return true;
}

void LCommander::BeTarget() {}

void LCommander::DontBeTarget() {}
