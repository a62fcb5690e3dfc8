#pragma once
// A pane that shows a native widget on its frame (the controls that take input). The widget follows the
// pane's frame, visibility and enabling, and is cut to what the enclosing views reveal.

#include "platform/framework/LPane.h"

class QtPaneWidget;

class LControlPane : public LPane
{
public:
	LControlPane() = default;
	explicit LControlPane(const SPaneInfo& inPaneInfo) : LPane(inPaneInfo) {}
	explicit LControlPane(LStream* inStream) : LPane(inStream) {}
	~LControlPane() override;

	void PutInside(LView* inView, Boolean inOrient = true) override;
	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh) override;
	void AdaptToNewSurroundings() override;
	void Draw(RgnHandle inSuperDrawRgnH) override;

	// Places the native widget again (after a change the pane is not told about).
	void SyncNative();

protected:
	void ShowSelf() override;
	void HideSelf() override;
	void EnableSelf() override;
	void DisableSelf() override;
	void ActivateSelf() override;
	void DeactivateSelf() override;

	// Where the widget goes, in port coordinates; the frame unless the pane draws part of itself.
	virtual void CalcNativeFrame(Rect& outPortRect) const;
	// Takes ownership.
	void SetNative(QtPaneWidget* inNative);

	QtPaneWidget* mNative = nullptr;
};
