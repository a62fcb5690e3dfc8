#pragma once
// A rectangle of a window that draws and takes clicks. Panes form a tree: each belongs to its super view,
// which deletes it. Frames are kept in port coordinates (the window's content, top-left 0,0); a pane's local
// coordinates are those of its super view's image.
//
// A pane must be unlinked (PutInside(nullptr)) before it is destroyed; destroying a linked pane stops the
// program. Views unlink their sub panes themselves, and UDispatch::DeleteWhenSafe unlinks before deleting.

#include "platform/framework/LAttachable.h"
#include "platform/toolbox/gui/QuickDraw.h"

class LStream;
class LView;
class LWindow;

struct SPaneInfo {
	PaneIDT paneID = 0;
	SInt16 width = 0;
	SInt16 height = 0;
	Boolean visible = true;
	Boolean enabled = true;
	SBooleanRect bindings;
	SInt32 left = 0; // in the super view's local coordinates
	SInt32 top = 0;
	SInt32 userCon = 0;
	LView* superView = nullptr;
};

struct SMouseDownEvent {
	EventRecord macEvent;
	Point wherePort;  // in port coordinates
	Point whereLocal; // in the clicked pane's local coordinates
	SInt16 clickCount = 1;
};

class LPane : public virtual LAttachable
{
public:
	enum { class_ID = FOUR_CHAR_CODE("pane") };

	LPane();
	explicit LPane(const SPaneInfo& inPaneInfo);
	// Reads: pane id (32), width, height (16 each), visible, enabled (8 each), bindings left, top, right,
	// bottom (8 each), left, top (32 each), user constant (32); then goes inside the default view.
	explicit LPane(LStream* inStream);
	~LPane() override;
	LPane(const LPane&) = delete;
	LPane& operator=(const LPane&) = delete;

	PaneIDT GetPaneID() const { return mPaneID; }
	void SetPaneID(PaneIDT inID) { mPaneID = inID; }
	SInt32 GetUserCon() const { return mUserCon; }
	void SetUserCon(SInt32 inUserCon) { mUserCon = inUserCon; }

	// This pane or the first of its sub panes (depth first) with that id; 0 names no pane.
	virtual LPane* FindPaneByID(PaneIDT inPaneID);
	const LPane* FindPaneByID(PaneIDT inPaneID) const
	{
		return const_cast<LPane*>(this)->FindPaneByID(inPaneID);
	}

	// Runs FinishCreateSelf once; the reanimator calls it after the pane's sub panes exist.
	void FinishCreate();

	LView* GetSuperView() const { return mSuperView; }
	// Moves the pane into another view (or out of any, with null), keeping its port frame.
	virtual void PutInside(LView* inView, Boolean inOrient = true);
	LWindow* GetWindow() const; // the window the pane is in, or null

	// Visibility, enabling and activity; each is in effect only when the super view's is. The …Self
	// operations run when the pane's state in effect changes, the Super… ones when an ancestor's did.
	virtual void Show();
	virtual void Hide();
	Boolean IsVisible() const;
	Boolean IsVisibleSelf() const { return mVisible; }
	virtual void Enable();
	virtual void Disable();
	Boolean IsEnabled() const;
	virtual void Activate();
	virtual void Deactivate();
	Boolean IsActive() const;

	// Frame.
	void GetFrameSize(SDimension16& outSize) const;
	void GetFrameLocation(SPoint32& outLocation) const; // port coordinates
	// The frame in local coordinates; false when it lies beyond their 16-bit range.
	virtual Boolean CalcLocalFrameRect(Rect& outRect) const;
	void CalcPortFrameRect(Rect& outRect) const;
	virtual void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh);
	void ResizeFrameTo(SInt16 inWidth, SInt16 inHeight, Boolean inRefresh);
	virtual void MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh);
	void PlaceInSuperFrameAt(SInt32 inHoriz, SInt32 inVert, Boolean inRefresh);
	void PlaceInSuperImageAt(SInt32 inHoriz, SInt32 inVert, Boolean inRefresh);
	void GetFrameBinding(SBooleanRect& outBindings) const { outBindings = mFrameBinding; }
	void SetFrameBinding(const SBooleanRect& inBindings) { mFrameBinding = inBindings; }
	// Called by the super view when its frame changed by the deltas; follows the bindings.
	virtual void AdaptToSuperFrameSize(SInt32 inSurrWidthDelta, SInt32 inSurrHeightDelta,
	                                   Boolean inRefresh);
	// Called when the super view's image moved (scrolling).
	virtual void AdaptToNewSurroundings();
	Boolean Contains(SInt32 inHorizPort, SInt32 inVertPort) const;

	// Coordinates. A pane's local coordinates are its super view's; a view's are its own image's.
	virtual void PortToLocalPoint(Point& ioPoint) const;
	virtual void LocalToPortPoint(Point& ioPoint) const;
	GrafPtr GetMacPort() const; // the port of the pane's window, or null

	// Drawing. Draw focuses and calls DrawSelf when the pane is visible; Refresh marks the pane's frame
	// to be redrawn at the next update of its window.
	// Panes outside inSuperDrawRgnH (port coordinates; null for everywhere) are left alone.
	virtual void Draw(RgnHandle inSuperDrawRgnH);
	virtual void DrawSelf();
	// Makes the window's port current, in this pane's local coordinates, clipped to what its view reveals
	// (and, while the window updates, to what waits to be redrawn).
	virtual Boolean FocusDraw(LPane* inSubPane = nullptr);
	void Refresh();
	Boolean IsInDrawRegion(RgnHandle inSuperDrawRgnH) const;
	void UpdatePort(); // draws what waits to be redrawn, now
	// The colours a pane draws with: those of its super view (its context), black on white at the top.
	virtual void ApplyForeAndBackColors() const;
	virtual void GetForeAndBackColors(RGBColor* outForeColor, RGBColor* outBackColor) const;

	// Clicks. Click offers the click to the pane's attachments (msg_Click, the SMouseDownEvent as
	// parameter), then runs ClickSelf for an enabled pane unless one of them said not to.
	virtual void Click(SMouseDownEvent& inMouseDown);
	virtual void ClickSelf(const SMouseDownEvent& inMouseDown);
	virtual LPane* FindSubPaneHitBy(SInt32 inHorizPort, SInt32 inVertPort) const;

	// Text and value; panes that have them override these.
	virtual void SetDescriptor(ConstStr255Param inDescriptor);
	virtual StringPtr GetDescriptor(Str255 outDescriptor) const;
	virtual SInt32 GetValue() const;
	virtual void SetValue(SInt32 inValue);

	// Clicks of the current run of quick clicks at the same place (2 for a double click).
	static SInt16 GetClickCount() { return sClickCount; }
	static void SetClickCount(SInt16 inCount) { sClickCount = inCount; }

	// The view stream constructors put themselves in while a layout is built.
	static LView* GetDefaultView() { return sDefaultView; }
	static void SetDefaultView(LView* inView) { sDefaultView = inView; }

protected:
	virtual void FinishCreateSelf();
	virtual void ShowSelf();
	virtual void HideSelf();
	virtual void EnableSelf();
	virtual void DisableSelf();
	virtual void ActivateSelf();
	virtual void DeactivateSelf();
	// Called when an ancestor's state changed.
	virtual void SuperShow();
	virtual void SuperHide();
	virtual void SuperEnable();
	virtual void SuperDisable();
	virtual void SuperActivate();
	virtual void SuperDeactivate();

	void InitPane(const SPaneInfo& inPaneInfo);
	Boolean CalcFrameRectFrom(const SPoint32& inOrigin, Rect& outRect) const;

	PaneIDT mPaneID = 0;
	SDimension16 mFrameSize;
	SPoint32 mFrameLocation; // port coordinates
	SInt32 mUserCon = 0;
	LView* mSuperView = nullptr;
	SBooleanRect mFrameBinding;
	Boolean mVisible = true;
	Boolean mEnabled = true;
	Boolean mActive = true;

private:
	friend class LView;
	Boolean mFinished = false;
	static LView* sDefaultView;
	static SInt16 sClickCount;
};
