#pragma once
// A window: the root view of a pane tree and a commander. Each window is a top-level Qt widget showing a
// backing image, which is the window's port; drawing goes into the image at any time and the widget shows
// it. Standard windows show the application's menu bar. Window bounds are global coordinates of the
// content area.
//
// Windows are closed with AttemptClose (asks the super commander) or DoClose; deletion then waits for a
// safe point (see UDispatch), so a window may close itself from inside its own handlers.

#include "platform/framework/LCommander.h"
#include "platform/framework/LView.h"
#include "platform/toolbox/gui/MacWindows.h"

#include <vector>

class QtWindowWidget;

typedef UInt32 WindAttrT;
enum : WindAttrT {
	windAttr_CloseBox = 0x00000001,
	windAttr_TitleBar = 0x00000002,
	windAttr_Resizable = 0x00000004,
	windAttr_Zoomable = 0x00000008,
	windAttr_HideOnSuspend = 0x00000010,
	windAttr_NoMenuBar = 0x00000020,  // a standard window that still shows no menu bar
	windAttr_Targetable = 0x00000040, // selecting the window makes it the target (modal windows always)
	windAttr_Modal = 0x80000000,
	windAttr_Floating = 0x40000000,
	windAttr_Regular = 0x20000000
};

class LWindow : public LView, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("wind") };

	// Builds the window of a layout (its pane tree finished) with inSuperCommander above it; null when
	// the layout does not exist or does not make a window. A window whose layout gives it no pane id gets
	// the layout's number. Windows are created hidden: the caller shows them.
	static LWindow* CreateWindow(ResIDT inLayoutID, LCommander* inSuperCommander);

	LWindow(const SPaneInfo& inPaneInfo, ConstStr255Param inTitle, WindAttrT inAttributes,
	        LCommander* inSuperCommander);
	// Reads the pane's data (its frame is the global bounds), then: title (length-prefixed), attributes
	// (32), minimum width and height, maximum width and height (16 each; -1 for no limit).
	explicit LWindow(LStream* inStream);
	~LWindow() override;

	GrafPtr GetMacPort() const { return mPort; }
	WindowRef GetMacWindow() const { return const_cast<OpaqueWindowPtr*>(&mMacWindow); }
	WindAttrT GetAttributes() const { return mAttributes; }
	Boolean HasAttribute(WindAttrT inAttribute) const { return (mAttributes & inAttribute) != 0; }

	void SetDescriptor(ConstStr255Param inTitle) override;
	StringPtr GetDescriptor(Str255 outTitle) const override;

	// Brings the window to the front of its layer, activates it and makes it (or its latent sub) the
	// target.
	virtual void Select();
	// Shown with its panes; a new window (and a modal one each time) then comes in front and takes the
	// keys, whatever the window manager does, unless a modal window is up.
	void Show() override;
	// Select without asking the window system to activate the window (it has just done so).
	void BringForward(bool inAskWindowSystem);
	Boolean IsFrontWindow() const;
	// The target is this window or a commander inside it, not one in a window under it.
	Boolean HoldsTarget() const;
	// The window system gave the window the keys (activated it, or keys were typed into it): it comes
	// forward and its chain takes them, whatever the framework last selected, unless a modal window is
	// up.
	void TakeKeysFromWindowSystem();
	virtual Boolean AttemptClose();
	virtual void DoClose(); // hides (the target moves on) and deletes at the next safe point
	Boolean IsClosing() const { return mClosing; }

	// Bounds in global coordinates.
	void GetGlobalBounds(Rect& outBounds) const;
	virtual void DoSetBounds(const Rect& inBounds);
	void MoveWindowTo(SInt16 inHoriz, SInt16 inVert);
	void ResizeWindowTo(SInt16 inWidth, SInt16 inHeight);
	// Minimum width and height as left and top; maximum ones as right and bottom.
	void GetMinMaxSize(Rect& outRect) const { outRect = mMinMaxSize; }
	void SetMinMaxSize(const Rect& inRect);
	enum class EScreenEdge : UInt8 { None, Top, Bottom };
	// Asks the window manager to leave the window exactly where the program puts it, as a strip docked at
	// a screen edge, and to keep other windows out of the strip between that edge and the window while it
	// is shown (X11 only; the program still moves it, and the strip follows). Call before the window is
	// first shown.
	void DockAtScreenEdge(EScreenEdge inEdge);
	// Gives the strip back: the manager still leaves the window where the program puts it.
	void LeaveScreenEdge();
	// What the window system and the menu bar add around the content, as widths: left, top (title bar
	// and menu bar), right and bottom.
	Rect GetStructureWidths() const;
	// The same for a window with these attributes that does not exist yet.
	static Rect EstimateStructureWidths(WindAttrT inAttributes);
	// The part of the screen nearest the rectangle (global) that windows may take: what the desktop's
	// panels leave, less the strips of docked windows.
	static Rect GetAvailableBounds(const Rect& inNear);
	// The zoom box: true grows the window to the main screen (inset), false returns to where it was.
	virtual void DoSetZoom(Boolean inZoomOut);
	Boolean IsZoomed() const { return mZoomed; }
	void GlobalToPortPoint(Point& ioPoint) const;
	void PortToGlobalPoint(Point& ioPoint) const;
	// A window's frame is its content: these move and resize the window on the screen.
	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void MoveBy(SInt32 inHorizDelta, SInt32 inVertDelta, Boolean inRefresh) override;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

	// Events the application hands to the window.
	virtual void HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount);
	virtual void ClickInContent(const EventRecord& inMacEvent);
	// Moving the window with the mouse (within the screens), and resizing it within its minimum and
	// maximum size; frameless windows call these from their content clicks.
	virtual void ClickInDrag(const EventRecord& inMacEvent);
	virtual void ClickInGrow(const EventRecord& inMacEvent);
	virtual void Suspend();
	virtual void Resume();

	// Marks part of the port to be redrawn at the next update; UpdatePort draws it now.
	void InvalPortRect(const Rect& inRect);
	void InvalPortRegion(RgnHandle inRegion);
	void UpdatePort();
	RgnHandle GetUpdateRgn() const { return mUpdateRgn; } // port coordinates; set only while updating

	// Windows front to back (modal, then floating, then regular), closing ones left out.
	static std::vector<LWindow*> GetWindowList();
	static LWindow* FetchTopRegular();
	static LWindow* FetchTopModal();
	// Makes every widget show the parts of its port that were drawn into, and its menu bar current;
	// called after each dispatch.
	static void AfterDispatch();

protected:
	// Windows with a title bar that the window manager treats as ordinary ones open inside the screen's
	// available area, frame included, and never exactly over another.
	virtual bool IsKeptInsideScreen() const;
	void DrawSelf() override; // erases the content to white
	void ShowSelf() override;
	void HideSelf() override;

private:
	friend class QtWindowWidget;
	friend class QtPaneWidget;
	void InitWindow(ConstStr255Param inTitle);
	void PlaceOnScreen(const Rect& inBounds); // global bounds changed by the program or the user
	void ReserveScreenEdge();
	void ActivateNextWindow();
	bool IsSelectedByClick() const;
	void MoveInside(const Rect& inArea);
	void CascadeFromOthers();
	void MoveOthersOutOfStrip();

	WindAttrT mAttributes =
	    windAttr_Regular | windAttr_TitleBar | windAttr_CloseBox | windAttr_Targetable;
	Rect mMinMaxSize{32, 32, 32767, 32767};
	Rect mGlobalBounds;
	Rect mUserBounds;
	RgnHandle mUpdateRgn = nullptr;
	Boolean mZoomed = false;
	Boolean mClosing = false;
	Boolean mShownBefore = false;
	EScreenEdge mDockEdge = EScreenEdge::None;
	Str255 mTitle = {0};
	GrafPtr mPort = nullptr;
	OpaqueWindowPtr mMacWindow;
	QtWindowWidget* mWidget = nullptr;     // detached, not deleted, when the window goes
	static std::vector<LWindow*> sWindows; // front to back
};
