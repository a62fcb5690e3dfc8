#include "ticker/TTicker.h"

#include "foundation/TVyFile.h"
#include "foundation/UIntelConversion.h"
#include "platform/framework/LException.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Screens.h"
#include "ticker/TTickerWindow.h"
#include "ticker/TZvTicker.h"
#include "toolkit/KsAlerts.h"
#include "toolkit/TContextualMenu.h"
#include "toolkit/UKsScreen.h"

#include <array>
#include <cstring>
#include <new>

namespace
{

enum : CommandT {
	kCmdNewTickerOK = 1055,
	kCmdNewTickerCancel = 1056,
	kCmdTickerOpenFailed = 1066,
	kCmdRebuildTickerMenus = 1070
};
enum : ResIDT {
	kLayoutTicker = 1000,
	kLayoutTickerOther = 1001,
	kLayoutFloater = 1002,
	kLayoutFloaterOther = 1003
};
constexpr SInt16 kTickerMenu = 170;
constexpr SInt16 kMsgTickerFailed = 3;
constexpr SInt32 kMinFontSize = 6;
constexpr SInt32 kMaxFontSize = 128;

TTicker::tSettingsHooks sSettingsHooks;
TTicker::tApplicationHooks sApplicationHooks;
std::function<bool(UInt32)> sIdInUse;

bool IdTaken(UInt32 id)
{
	if (sIdInUse && sIdInUse(id))
		return true;
	for (const tTickerPlacer* placer = TTicker::Placers().GetFirst(); placer;
	     placer = TTicker::Placers().GetNext())
		if (placer->ticker && placer->ticker->GetID() == id)
			return true;
	return false;
}

bool AtBottom(tTickerAnchor anchor)
{
	return anchor == kTickerAnchorBottomFull || anchor == kTickerAnchorBottomLeft ||
	       anchor == kTickerAnchorBottomRight;
}

bool SortPlacers(tTickerPlacer* first, tTickerPlacer* second)
{
	return first->top >= second->top;
}

} // namespace

void TTicker::InstallSettingsHooks(tSettingsHooks hooks)
{
	sSettingsHooks = std::move(hooks);
}

void TTicker::InstallApplicationHooks(tApplicationHooks hooks)
{
	sApplicationHooks = std::move(hooks);
}

void TTicker::SetIdInUseCheck(std::function<bool(UInt32)> inUse)
{
	sIdInUse = std::move(inUse);
}

UInt32 TTicker::MakeUniqueID()
{
	UInt32 id = TickCount();
	while (id == 0 || IdTaken(id))
		++id;
	return id;
}

TList<tTickerPlacer>& TTicker::Placers()
{
	static TList<tTickerPlacer> placers(false, true);
	return placers;
}

TTicker::TTicker() : mID(MakeUniqueID())
{
	mPrefs = NewTickerPrefs();
	SetTitle("New Ticker");
}

tTickerPrefs TTicker::NewTickerPrefs()
{
	tTickerPrefs prefs;
	prefs.left = 100;
	prefs.top = 100;
	prefs.height = 24;
	prefs.width = 240;
	prefs.background = TKsRGBColor(0, 0, 0);
	prefs.foreground = TKsRGBColor(65535, 65535, 65535);
	prefs.font.FontName("Geneva");
	prefs.font.FontSize(14);
	prefs.anchor = kTickerAnchorTopFull;
	prefs.speed = kTickerSpeedNew;
	prefs.direction = kTickerRightToLeft;
	prefs.border = kTickerBorderDefault;
	return prefs;
}

TTicker::TTicker(TVyFile* file)
{
	mPrefs.font.FontSize(9);
	auto read = [&](void* buffer, unsigned long size) {
		if (!mReadWhole)
			return false;
		unsigned long count = size;
		mReadWhole = file && file->Read(buffer, &count) == 0 && count == size;
		return mReadWhole;
	};
	UInt32 id = 0;
	if (read(&id, sizeof(id)))
		mID = UIntelConversion::ConvertUnsignedInt32(id);
	char name[kNameSize];
	if (read(name, kNameSize))
		std::memcpy(mName, name, kNameSize);
	UInt8 open = 0;
	if (read(&open, 1))
		mOpenOnQuit = open;
	std::array<unsigned char, tTickerPrefs::kStoredSize> stored{};
	if (read(stored.data(), stored.size()))
		UIntelConversion::ConvertTickerPrefs(stored, &mPrefs, true);
}

TTicker::~TTicker()
{
	if (mContentManager && sSettingsHooks.deleteContent)
		sSettingsHooks.deleteContent(mContentManager);
	mContentManager = nullptr;
	Close();
	if (mSettingsWindow) {
		LWindow* settings = mSettingsWindow;
		mSettingsWindow = nullptr;
		delete settings;
	}
}

void TTicker::ValidatePrefs()
{
	const tTickerPrefs defaults = NewTickerPrefs();
	if (mPrefs.anchor < kTickerAnchorTopFull || mPrefs.anchor > kTickerAnchorFree)
		mPrefs.anchor = defaults.anchor;
	if (mPrefs.speed != kTickerStopped &&
	    (mPrefs.speed < kTickerSlowest || mPrefs.speed > kTickerFastest))
		mPrefs.speed = defaults.speed;
	if (mPrefs.direction != kTickerRightToLeft && mPrefs.direction != kTickerLeftToRight)
		mPrefs.direction = defaults.direction;
	if (mPrefs.border != kTickerBorderDefault && mPrefs.border != kTickerBorderOther)
		mPrefs.border = defaults.border;
	const SInt32 size = mPrefs.font.GetFontSize();
	if (size < kMinFontSize || size > kMaxFontSize)
		mPrefs.font.FontSize(defaults.font.GetFontSize());
	if (mPrefs.width < 16 || mPrefs.width > 16384)
		mPrefs.width = defaults.width;
}

short TTicker::Backup(TVyFile* file)
{
	if (mWindow)
		mOpenOnQuit = 1;
	SavePosition();
	const UInt32 id = UIntelConversion::ConvertUnsignedInt32(mID);
	std::array<unsigned char, tTickerPrefs::kStoredSize> stored{};
	tTickerPrefs prefs = mPrefs;
	UIntelConversion::ConvertTickerPrefs(stored, &prefs, false);
	if (short err = file->Write(&id, sizeof(id)))
		return err;
	if (short err = file->Write(mName, kNameSize))
		return err;
	if (short err = file->Write(&mOpenOnQuit, 1))
		return err;
	return file->Write(stored.data(), stored.size());
}

void TTicker::SetTitle(const char* name)
{
	std::memset(mName, 0, sizeof(mName));
	if (name)
		std::strncpy(mName, name, kNameSize);
}

void TTicker::SendToApplication(CommandT command)
{
	if (LCommander* super = GetSuperCommander())
		super->ObeyCommand(command, nullptr);
}

void TTicker::FailOpen()
{
	KsError(kMsgTickerFailed);
	SendToApplication(kCmdTickerOpenFailed);
}

void TTicker::Open(bool show)
{
	if (mWindow) {
		mWindow->Select();
		return;
	}
	const SInt32 depth = std::min<SInt32>(UKsScreen::ScreenBitDepth(), 16);
	const SInt32 fontSize = mPrefs.font.GetFontSize();
	const size_t block = size_t(std::max<SInt32>(depth / 8, 1)) * size_t(2 * fontSize) *
	                     size_t(std::max<SInt32>(UKsScreen::ScreenWidth(), 1)) * 4;
	char* probe = new (std::nothrow) char[block];
	if (!probe) {
		FailOpen();
		return;
	}
	delete[] probe;

	try {
		const bool other = mPrefs.border != kTickerBorderDefault;
		const ResIDT layout = mPrefs.floating ? (other ? kLayoutFloaterOther : kLayoutFloater)
		                                      : (other ? kLayoutTickerOther : kLayoutTicker);
		auto* window = dynamic_cast<TTickerWindow*>(LWindow::CreateWindow(layout, this));
		if (!window)
			Throw_(FOUR_CHAR_CODE("nilP"));
		mWindow = window;
		Str255 title;
		const size_t length = std::min<size_t>(std::strlen(mName), 255);
		title[0] = UInt8(length);
		std::memcpy(title + 1, mName, length);
		window->SetDescriptor(title);

		mPrefs.height = UInt16(2 * fontSize);
		Rect bounds;
		CheckTickerPosition(bounds);
		window->SetWindowPosition(bounds.top, bounds.left, bounds.bottom, bounds.right);
		// A window manager leaves an anchored ticker at its edge, and other windows clear of it; a
		// free one it treats as any window.
		if (mPrefs.anchor != kTickerAnchorFree)
			window->DockAtScreenEdge(AtBottom(mPrefs.anchor) ? LWindow::EScreenEdge::Bottom
			                                                 : LWindow::EScreenEdge::Top);

		mPane = window->GetTickerPane();
		mPane->SetID(mID);
		mPane->SetName(mName);
		mPane->SetDirection(mPrefs.direction);
		mPane->SetSpeed(mPrefs.speed);
		mPane->SetFont(&mPrefs.font);
		const RGBColor foreground = mPrefs.foreground.GetRGB();
		const RGBColor background = mPrefs.background.GetRGB();
		mPane->SetForegroundColour(&foreground);
		mPane->SetBackgroundColour(&background);

		if (sApplicationHooks.tickerOpened)
			sApplicationHooks.tickerOpened(mPane);

		Placers().Append(new tTickerPlacer{mPrefs.anchor, mPane, bounds.top, bounds.left,
		                                   bounds.bottom, bounds.right});
		if (mContentManager && sSettingsHooks.applyContent)
			sSettingsHooks.applyContent(*this);
		if (show)
			window->Show();
	} catch (...) {
		if (mWindow) {
			RemovePlacer();
			TTickerWindow* window = mWindow;
			mWindow = nullptr;
			mPane = nullptr;
			delete window;
		}
		FailOpen();
	}
}

void TTicker::WindowGone()
{
	if (!mWindow)
		return;
	RemovePlacer();
	SavePosition();
	mWindow = nullptr;
	mPane = nullptr;
}

void TTicker::Close()
{
	if (!mWindow)
		return;
	TTickerWindow* window = mWindow;
	WindowGone();
	window->DoClose();
}

void TTicker::RemovePlacer()
{
	if (!mPane)
		return;
	for (tTickerPlacer* placer = Placers().GetFirst(); placer; placer = Placers().GetNext())
		if (placer->ticker == mPane) {
			Placers().Remove(placer);
			return;
		}
}

void TTicker::SavePosition()
{
	if (mPane) {
		mPrefs.speed = mPane->TickerSpeed();
		mPrefs.direction = mPane->TickerDirection();
	}
	if (mWindow) {
		Rect bounds;
		mWindow->GetGlobalBounds(bounds);
		mPrefs.left = bounds.left;
		mPrefs.top = bounds.top;
		mPrefs.width = UInt16(bounds.right - bounds.left);
		mPrefs.height = UInt16(bounds.bottom - bounds.top);
		if (mWindow->HasMoved())
			mPrefs.anchor = kTickerAnchorFree;
	}
}

bool TTicker::HasMoved() const
{
	return mWindow && mWindow->HasMoved();
}

void TTicker::SetWindowPosition(int top, int left, int bottom, int right)
{
	if (mWindow)
		mWindow->SetWindowPosition(top, left, bottom, right);
}

void TTicker::CheckTickerPosition(Rect& bounds) const
{
	const short height = short(2 * mPrefs.font.GetFontSize());
	switch (mPrefs.anchor) {
	case kTickerAnchorFree:
		bounds = Rect{mPrefs.top, mPrefs.left, SInt16(mPrefs.top + height),
		              SInt16(mPrefs.left + mPrefs.width)};
		if (!UKsScreen::IsOnScreen(&bounds))
			UKsScreen::ForceOnScreen(&bounds);
		break;
	case kTickerAnchorBottomFull:
	case kTickerAnchorBottomLeft:
	case kTickerAnchorBottomRight:
		bounds = FindBottomMost(mPrefs.anchor, height, MainScreenRect());
		break;
	default:
		bounds = FindTopMost(mPrefs.anchor, height, MainScreenRect());
		break;
	}
}

Rect TTicker::MainScreenRect()
{
	GDHandle screen = GetMainDevice();
	if (!screen)
		Throw_(FOUR_CHAR_CODE("nilP"));
	return (*screen)->gdRect;
}

Rect TTicker::AnchorRect(tTickerAnchor anchor, short height, const Rect& r)
{
	const SInt16 sw = r.right;
	const SInt16 sb = r.bottom;
	const SInt16 mb = SInt16(r.top); // no menu bar across the screen here
	const bool top = anchor == kTickerAnchorTopFull || anchor == kTickerAnchorTopLeft ||
	                 anchor == kTickerAnchorTopRight;
	Rect result;
	result.top = top ? SInt16(mb + 1) : SInt16(sb - height);
	result.bottom = top ? SInt16(result.top + height) : sb;
	switch (anchor) {
	case kTickerAnchorTopLeft:
	case kTickerAnchorBottomLeft:
		result.left = 1;
		result.right = SInt16(1 + (sw >> 1));
		break;
	case kTickerAnchorTopRight:
	case kTickerAnchorBottomRight:
		result.left = SInt16(sw - (sw >> 1));
		result.right = sw;
		break;
	default:
		result.left = 1;
		result.right = SInt16(1 + sw);
		break;
	}
	return result;
}

Rect TTicker::FindTopMost(tTickerAnchor anchor, short height, const Rect& screen)
{
	Rect candidate = AnchorRect(anchor, height, screen);
	Placers().BubbleSort(SortPlacers, false);
	for (const tTickerPlacer* placer = Placers().GetFirst(); placer; placer = Placers().GetNext()) {
		if (candidate.top < placer->top && candidate.bottom < placer->bottom)
			break;
		candidate.top = SInt16(placer->bottom + 1);
		candidate.bottom = SInt16(candidate.top + height);
	}
	return candidate;
}

Rect TTicker::FindBottomMost(tTickerAnchor anchor, short height, const Rect& screen)
{
	Rect candidate = AnchorRect(anchor, height, screen);
	Placers().BubbleSort(SortPlacers, true);
	for (const tTickerPlacer* placer = Placers().GetFirst(); placer; placer = Placers().GetNext()) {
		if (candidate.top >= placer->bottom)
			break;
		candidate.bottom = SInt16(placer->top - 1);
		candidate.top = SInt16(candidate.bottom - height);
	}
	return candidate;
}

void TTicker::OpenPrefs()
{
	mIsNew = 0;
	mReopen = mWindow ? 1 : 0;
	ShowSettings();
}

void TTicker::NewPrefs()
{
	mIsNew = 1;
	mReopen = 1;
	Open(false);
	ShowSettings();
}

void TTicker::ShowSettings()
{
	if (mSettingsWindow) {
		mSettingsWindow->Select();
		return;
	}
	if (mPane)
		SavePosition();
	if (sSettingsHooks.openSettings)
		mSettingsWindow = sSettingsHooks.openSettings(*this, mIsNew != 0);
}

void TTicker::PopulateDefaults()
{
	Open(false);
	if (sSettingsHooks.populateDefaults)
		sSettingsHooks.populateDefaults(*this);
	Close();
}

void TTicker::PrefsChanged()
{
	if (mWindow) {
		RemovePlacer();
		TTickerWindow* window = mWindow;
		mWindow = nullptr;
		mPane = nullptr;
		window->DoClose();
	}
	if (mReopen)
		Open(true);
}

void TTicker::Click(Point* where)
{
	if (!where)
		return;
	TContextualMenu menu(kTickerMenu, false);
	unsigned long selection = 0;
	SInt16 menuID = 0;
	UInt16 item = 0;
	menu.ShowMenu(*where, selection, menuID, item);
	if (selection != TContextualMenu::kCMMenuItemSelected)
		return;
	switch (item) {
	case 3:
		ObeyCommand(cmd_Slower, nullptr);
		break;
	case 4:
		ObeyCommand(cmd_Faster, nullptr);
		break;
	case 5:
		ObeyCommand(cmd_Reverse, nullptr);
		break;
	case 7:
		ObeyCommand(cmd_TickerPrefs, nullptr);
		break;
	default:
		break;
	}
}

Boolean TTicker::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case cmd_Slower:
		if (mPane)
			mPane->SlowDown();
		return true;
	case cmd_Faster:
		if (mPane)
			mPane->SpeedUp();
		return true;
	case cmd_Reverse:
		if (mPane)
			mPane->SetDirection(mPane->TickerDirection() == kTickerLeftToRight
			                        ? kTickerRightToLeft
			                        : kTickerLeftToRight);
		return true;
	case cmd_TickerPrefs:
		OpenPrefs();
		return true;
	case cmd_PrefsOK:
		if (mIsNew)
			SendToApplication(kCmdNewTickerOK);
		PrefsChanged();
		return true;
	case cmd_PrefsCancel:
		if (mIsNew) {
			// The hidden window of a ticker that is not made after all goes too.
			Close();
			SendToApplication(kCmdNewTickerCancel);
		}
		mReopen = 0;
		return true;
	default:
		return LCommander::ObeyCommand(inCommand, ioParam);
	}
}

Boolean TTicker::AllowSubRemoval(LCommander* inSub)
{
	if (inSub && inSub == static_cast<LCommander*>(mWindow)) {
		// Closed from outside (the window manager's close): the same bookkeeping as Close.
		WindowGone();
	} else if (inSub && inSub == static_cast<LCommander*>(mSettingsWindow)) {
		mSettingsWindow = nullptr;
		if (mReopen)
			Open(true);
		mReopen = 0;
	}
	if (inSub)
		SendToApplication(kCmdRebuildTickerMenus);
	return true;
}
