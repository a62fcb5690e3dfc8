#pragma once
// A view with scroll bars that scrolls the image of one sub view (the scrolling view). The bars follow the
// scrolling view's image and position; moving a bar scrolls the image, in steps of its scroll unit.

#include "platform/framework/LListener.h"
#include "platform/framework/LView.h"

class LScrollBar;

class LScrollerView : public LView, public LListener
{
public:
	enum { class_ID = FOUR_CHAR_CODE("sclv") };

	// Reads the pane's data, then: the horizontal bar's left and right indents, the vertical bar's top
	// and bottom indents (16 each; a left or a top indent of -1 for no such bar), the id of the scrolling
	// view (32; one of the sub panes), live scrolling (8).
	explicit LScrollerView(LStream* inStream);

	LView* GetScrollingView() const { return mScrollingView; }
	void InstallView(LView* inScrollingView);
	LScrollBar* GetHorizontalBar() const { return mHorizBar; }
	LScrollBar* GetVerticalBar() const { return mVertBar; }

	// Brings the bars in step with the scrolling view.
	void AdjustScrollBars();
	// One step or one page, by control part (up and down arrow, page up and down).
	void VertScroll(SInt16 inPart);
	void HorizScroll(SInt16 inPart);

	void SubImageChanged(LView* inSubView) override;
	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void ListenToMessage(MessageT inMessage, void* ioParam) override;

	static constexpr SInt16 kBarThickness = 15;

protected:
	void FinishCreateSelf() override;

private:
	void Scroll(Boolean inVertical, SInt16 inPart);
	LView* mScrollingView = nullptr;
	LScrollBar* mHorizBar = nullptr;
	LScrollBar* mVertBar = nullptr;
	PaneIDT mScrollingViewID = 0;
	Boolean mAdjusting = false;
};
