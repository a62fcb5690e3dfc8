#pragma once
// A pane that holds other panes and has an image: a coordinate space that may be larger than its frame
// and scrolled within it. Local coordinates of a view are those of its image.

#include "platform/framework/LPane.h"

#include <vector>

class LView : public LPane
{
public:
	enum { class_ID = FOUR_CHAR_CODE("view") };

	LView();
	explicit LView(const SPaneInfo& inPaneInfo);
	// Reads the pane's data; the image starts as large as the frame.
	explicit LView(LStream* inStream);
	~LView() override; // deletes the sub panes

	LPane* FindPaneByID(PaneIDT inPaneID) override;
	using LPane::FindPaneByID;
	const std::vector<LPane*>& GetSubPanes() const { return mSubPanes; }
	void DeleteAllSubPanes();

	// The deepest visible pane under the point (port coordinates), this view included; null outside it.
	LPane* FindDeepSubPaneContaining(SInt32 inHorizPort, SInt32 inVertPort);
	LPane* FindSubPaneHitBy(SInt32 inHorizPort, SInt32 inVertPort) const override;

	Boolean CalcLocalFrameRect(Rect& outRect) const override;
	void PortToLocalPoint(Point& ioPoint) const override;
	void LocalToPortPoint(Point& ioPoint) const override;

	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh) override;

	// Image and scrolling.
	void GetImageSize(SDimension32& outSize) const { outSize = mImageSize; }
	void ResizeImageTo(SInt32 inWidth, SInt32 inHeight, Boolean inRefresh);
	void GetScrollPosition(SPoint32& outPosition) const; // the image point at the frame's top-left
	void GetScrollUnit(SPoint32& outUnit) const { outUnit = mScrollUnit; }
	void SetScrollUnit(const SPoint32& inUnit) { mScrollUnit = inUnit; }
	virtual void ScrollImageBy(SInt32 inLeftDelta, SInt32 inTopDelta, Boolean inRefresh);
	void ScrollImageTo(SInt32 inLeftLocation, SInt32 inTopLocation, Boolean inRefresh);
	// Scrolls at most so far that the frame stays within the image; false when nothing moved.
	Boolean ScrollPinnedImageBy(SInt32 inLeftDelta, SInt32 inTopDelta, Boolean inRefresh);
	void GetImageLocation(SPoint32& outLocation) const
	{
		outLocation = mImageLocation;
	} // port coordinates
	// Told when a sub view's image was resized or scrolled (a scroller keeps its bars in step).
	virtual void SubImageChanged(LView* inSubView);

	// Port coordinates of the part of the frame that the super views leave visible.
	void GetRevealedRect(Rect& outRect) const;

	void Draw(RgnHandle inSuperDrawRgnH) override;
	Boolean FocusDraw(LPane* inSubPane = nullptr) override;
	void Click(SMouseDownEvent& inMouseDown) override;

protected:
	friend class LPane;
	virtual void AddSubPane(LPane* inSub);
	virtual void RemoveSubPane(LPane* inSub);
	void OffsetSubPanes(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh);

	std::vector<LPane*> mSubPanes;
	SPoint32 mImageLocation; // port coordinates of the image's top-left
	SDimension32 mImageSize;
	SPoint32 mScrollUnit{1, 1};
};
