#pragma once
// What the stock and currency quick quotes add alike to their kind's detail window: a security of their
// own asked for by the Quote button, Command-period to cancel, the arrow keys left to the fields, the
// place and choices kept in the plug-in settings when it closes, and the plug-in's hold on the window.

#include "model/TSecurity.h"
#include "model/USecurityRequests.h"
#include "platform/framework/LChasingArrows.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/UKeyFilters.h"
#include "windows/security/TQuickQuoteFace.h"
#include "windows/security/UDetailPanes.h"

template <class TBase> class TQuickQuoteWindow : public TBase
{
public:
	static constexpr PaneIDT kQuoteButton = 2000;

	explicit TQuickQuoteWindow(LStream* inStream) : TBase(inStream) { this->mSmallLayout = true; }

	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override
	{
		const UInt16 key = UInt16(inKeyEvent.message & charCodeMask);
		if (key == char_UpArrow || key == char_DownArrow)
			return true;
		return TBase::HandleKeyPress(inKeyEvent);
	}

	Boolean HandleCommandPeriod(const EventRecord&) override
	{
		Cancel();
		return true;
	}

	// Puts its place and choices back into the plug-in settings first.
	void DoClose() override
	{
		Retire();
		TBase::DoClose();
	}

	void DoUpdate() override
	{
		TSecurity* security = QuoteSecurity();
		if (security == nullptr)
			return;
		SaveContent();
		security->SetDetailWindow(this->SecurityFace());
		USecurityRequests::SubmitUserURL(security);
	}

	void RedoUpdating() override
	{
		UDetailPanes::ShowUpdating(mUpdate, this->mUpdateArrows, this->mUpdating);
	}

	virtual void SaveContent() = 0;
	virtual void AddToList() = 0;

	virtual void Cancel()
	{
		if (TSecurity* security = QuoteSecurity())
			USecurityRequests::CancelURL(security);
		this->mUpdating = false;
		RedoUpdating();
	}

	IPluginWindow* PluginFace() { return &mPluginFace; }

protected:
	// The window's own security; null once it has let go of it.
	virtual TSecurity* QuoteSecurity() const = 0;
	// Puts the window's place back into the settings and lets go of its security; once.
	virtual void Retire() = 0;

	LPushButton* mAddToList = nullptr;
	LPushButton* mUpdate = nullptr;

private:
	TQuickQuoteFace mPluginFace{this};
};
