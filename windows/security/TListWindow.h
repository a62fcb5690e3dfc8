#pragma once
// A list window edits one kind's list of securities on a working copy: add a default security and edit it,
// add securities chosen in a lookup window, delete rows, reorder them by dragging, sort, and tick per row
// whether the security shows in the summary and in the kind's menu. Nothing reaches the plug-in's list
// until OK, which writes the copy back in the working order and sends the kind's OK command. The kinds
// derive from it; the plug-in opens each through IPluginWindow.
//
// A lookup window opened from here has this window as super-commander and reads and marks this window's
// lookup list; it sends kLookupsChosen to add the marked results.

#include "Includes/TList.h"
#include "model/SecurityTypes.h"
#include "platform/framework/STableCell.h"
#include "platform/toolbox/gui/Drag.h"
#include "toolkit/TVyWindow.h"
#include "windows/security/TPluginWindowFace.h"
#include "windows/security/tSecurityEntry.h"

#include <functional>
#include <set>
#include <string>

class LBevelButton;
class LPushButton;
class TListTable;
class TLookupList;
class TSecurity;

class TListWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stWW") };
	enum : CommandT {
		kLookupsChosen = 7210,
		kLookCommand = FOUR_CHAR_CODE("Look"),
		kAddCommand = FOUR_CHAR_CODE("AddS"),
		kDeleteCommand = FOUR_CHAR_CODE("DelS"),
		kSortDirection = FOUR_CHAR_CODE("dSrt"),
		kSortName = FOUR_CHAR_CODE("nSrt"),
		kSortSymbol = FOUR_CHAR_CODE("sSrt"),
		kSortSummary = FOUR_CHAR_CODE("tSrt"),
		kSortMenu = FOUR_CHAR_CODE("mSrt"),
	};
	static constexpr SInt16 kDescendingIcon = 1012;
	static constexpr SInt16 kAscendingIcon = 1013;

	// Makes and shows the kind's lookup window under the list window, over its lookup list; installed
	// by the lookup windows. Without one there is no lookup.
	using LookupOpener =
	    std::function<LWindow*(tSecurityType inKind, LCommander* inSuper, TLookupList* inList)>;
	static void SetLookupOpener(LookupOpener inOpener);

	explicit TListWindow(LStream* inStream);
	~TListWindow() override;

	virtual void DefaultEntry(tSecurityEntry& ioEntry, TSecurity* inSecurity, bool inIsNew,
	                          SInt32 inPosition);
	virtual void SyncEntry(tSecurityEntry& ioEntry);
	// inRow counted from 1.
	virtual void CreateEditWindow(TableIndexT inRow, bool inIsNew);
	virtual void CreateLookupWindow();
	// Adds the lookup results to take after row inPosition; the number of rows added.
	virtual long AddLookups(TableIndexT inPosition);
	virtual TSecurity* GetNewSecurity();
	virtual void DrawNames(const Rect& inNameRect, const Rect& inSymbolRect, TSecurity* inSecurity);
	// Adds a default security after row inPosition (0: at the top) and opens its settings dialog.
	virtual void AddSecurity(TableIndexT inPosition);
	virtual void SetList(TList<TSecurity>* inList);

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT, Boolean&, Boolean&, UInt16&, Str255) override {}
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	Boolean AllowSubRemoval(LCommander* inSub) override;
	void BeTarget() override;

	// Places the check boxes of the rows in view at their rows; the others stay out of the table.
	void CheckCheckboxes();
	void CheckCicns();

	TListTable* GetTable() const { return mTable; }
	LPushButton* GetDeleteButton() const { return mDeleteButton; }
	TList<tSecurityEntry>* GetWorkingList() const { return mList; }
	TList<tSecurityEntry>* GetDeleteList() const { return mDeleteList; }
	TLookupList* GetLookupList() const { return mLookupList; }
	LWindow* GetLookupWindow() const { return mLookupWindow; }
	FlavorType GetListFlavor() const { return mListFlavor; }
	bool OffersDragFlavor() const { return mOffersDragFlavor; }
	bool Descending() const { return mDescending; }
	FourCharCode SortKey() const { return mSortKey; }
	IPluginWindow* PluginFace() { return &mPluginFace; }

protected:
	// The kind's OK command, list flavour and whether its drags offer 'zvDF'.
	TListWindow(LStream* inStream, long inOKCommand, FlavorType inListFlavor, bool inOffersDragFlavor);

	void FinishCreateSelf() override;
	// Makes a new security's row after row inPosition; the caller adds the table's rows.
	void InsertNewEntry(TSecurity* inSecurity, TableIndexT inPosition);
	// Opens the kind's lookup window over this window's lookup list, or brings the open one forward.
	void OpenLookupWindow(tSecurityType inKind);
	void CloseLookupWindow();

	LWindow* mLookupWindow = nullptr;
	TListTable* mTable = nullptr;
	LPushButton* mAddButton = nullptr;
	LPushButton* mDeleteButton = nullptr;
	LBevelButton* mDirectionButton = nullptr;
	bool mDescending = false;
	FourCharCode mSortKey = kSortName;
	long mOKCommand;
	bool mOffersDragFlavor;
	FlavorType mListFlavor;
	TList<TSecurity>* mOriginalList = nullptr;
	TList<tSecurityEntry>* mList = nullptr;
	TList<tSecurityEntry>* mDeleteList = nullptr;
	TLookupList* mLookupList = nullptr;

private:
	class TPluginFace : public TPluginWindowFace<TListWindow>
	{
	public:
		using TPluginWindowFace::TPluginWindowFace;
		void Delete() override;
		void SetList(UInt16 inKind, TList<TSecurity>* inList) override;
		void ObeyCommand(long inCommand) override;
	};

	// A row's key for one sort: its lowered name or symbol (at most 255 characters), or a box's value.
	struct tSortKey {
		std::string text;
		bool on = false;
		tSecurityEntry* entry = nullptr;
	};
	static tSortKey SortKeyOf(tSecurityEntry* inEntry, FourCharCode inKey);
	// Whether the first row belongs after the second: the greater text; a ticked box comes first.
	static bool SortOnText(tSortKey* inA, tSortKey* inB);
	static bool SortOnBox(tSortKey* inA, tSortKey* inB);
	void Sort(FourCharCode inKey);
	void SyncOriginalList();
	void DeleteNewRow(TSecurity* inSecurity);
	void DiscardWorkingLists();

	static LookupOpener sLookupOpener;
	// New securities whose settings dialog this window opened as new: cancelling one drops its row.
	std::set<TSecurity*> mEditingNew;
	TPluginFace mPluginFace{this};
};
