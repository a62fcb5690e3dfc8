#pragma once
// A pane showing one security's quote inside another window (the summary window hosts one per kind and
// layout). It does not watch the security: its host calls RedoContent again after each update.
//
// Layout stream: the framework's view data, then one byte, whether the view has news buttons.

#include "platform/framework/LListener.h"
#include "platform/framework/LView.h"
#include "windows/security/TDetailAction.h"

class CURLPushButton;
class LStaticText;
class TBanner;
class TColourCaption;
class TColourCaptions;
class TDetailView : public LView, public LListener, public TDetailAction
{
public:
	enum { kNewsCount = 6 };
	// Items of the context menu.
	enum {
		kMenuWeb = 1,
		kMenuEdit = 3,
		kMenuTrade = 4,
		kMenuFilings = 5,
		kMenuCharts = 6,
		kMenuUpdate = 8
	};

	explicit TDetailView(LStream* inStream);
	~TDetailView() override;

	void Click(SMouseDownEvent& inMouseDown) override;
	void ListenToMessage(MessageT inMessage, void* ioParam) override;

	void RedoContent();
	bool HasNews() const { return mHasNews; }
	// Runs the context menu's item on the security shown.
	void DoMenuItem(SInt16 inItem);

protected:
	void FinishCreateSelf() override;
	virtual void RedoContentSelf() = 0;
	// Binds the security and the command its settings dialog sends on OK, then redraws.
	void SetViewSecurity(TSecurity* inSecurity, long inCommand);
	// A static text of the layout, for the kinds' own panes.
	LStaticText* FindText(PaneIDT inID);
	// The security's display colour; a detail view neither flashes nor changes its face style.
	RGBColor DisplayColour() const;

	TBanner* mBanner = nullptr;
	TColourCaption* mCompanyName = nullptr;
	TColourCaption* mCurrentPrice = nullptr;
	TColourCaptions* mChange = nullptr;
	LStaticText* mLastTradeTime = nullptr;
	LStaticText* mLastUpdateTime = nullptr;
	CURLPushButton* mNewsItems[kNewsCount] = {};
	bool mHasNews = false;
};
