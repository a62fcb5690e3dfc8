#pragma once
// The symbol lookup window: searches one quote source for securities of one kind by a text, lists the
// results page by page (More appends the next page) and hands the rows the user picks to the list window
// that opened it (its super-commander), which gets kCmdLookupsChosen. The kinds differ only in their kind,
// layout and row drawing.
//
// One search at a time: Lookup and More are ignored while a page is being fetched. A row handed over is
// flagged added and can be neither selected nor handed over again.

#include "Internet/ILookupWindow.h"
#include "model/SecurityTypes.h"
#include "toolkit/TVyWindow.h"

#include <memory>

class LBevelButton;
class LCaption;
class LChasingArrows;
class LEditText;
class LPopupButton;
class LPushButton;
class TLookupList;
class TLookupTable;
struct tLookupEntry;
struct tMenuItems;

class TLookupWindow : public TVyWindow, public ILookupWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stWK") };
	// Sent to the super-commander when rows are chosen, with the window's TLookupList as the parameter:
	// the entries to add are those marked and not added. Afterwards the window flags them added.
	static constexpr CommandT kCmdLookupsChosen = 7210;
	static constexpr SInt16 kDescendingIcon = 1013;
	static constexpr SInt16 kAscendingIcon = 1012;

	// Makes the kind's lookup window under inSuper, gives it inList (cleared) and shows it. Null for a
	// kind without one (currency pairs); throws 'nilP' when the window cannot be made.
	static TLookupWindow* Open(tSecurityType inKind, LCommander* inSuper, TLookupList* inList);

	TLookupWindow(LStream* inStream, tSecurityType inKind);
	~TLookupWindow() override;

	virtual void CheckCicns();
	void BeTarget() override;
	virtual void Lookup();
	virtual void More();
	virtual void CancelLookup();
	// Draws an entry's texts in a row's rectangle.
	virtual void DrawCell(const Rect& inCellRect, const tLookupEntry* inEntry);
	// The list the results go to (the list window's); cleared here. The window does not own it.
	virtual void SetList(TLookupList* inList);

	// The request layer's side.
	void StartUpdating() override;
	void FinishUpdating(bool inMore) override;
	void Message(const char* inText) override;
	TURLRequest* GetRequest() override { return mRequest; }
	void ClearRequest() override { mRequest = nullptr; }
	void SetRequest(TURLRequest* inRequest) override { mRequest = inRequest; }

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT, Boolean&, Boolean&, UInt16&, Str255) override {}
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	Boolean HandleCommandPeriod(const EventRecord& inKeyEvent) override;

	// True when the first entry belongs after the second.
	static bool SortOnName(tLookupEntry* inA, tLookupEntry* inB);
	static bool SortOnSymbol(tLookupEntry* inA, tLookupEntry* inB);
	static bool SortOnOther(tLookupEntry* inA, tLookupEntry* inB);

	// The source of the last search in any lookup window ('qNON' at start).
	static OSType sLastQuoterUsed;

	tSecurityType GetKind() const { return mKind; }
	TLookupList* GetList() const { return mList; }
	TLookupTable* GetTable() const { return mTable; }
	UInt32 GetPage() const { return mPage; }
	// The source chosen in the popup.
	OSType ChosenQuoter() const;
	bool IsDescending() const { return mDescending; }
	FourCharCode GetSortKey() const { return mSortKey; }
	LPushButton* GetSelectButton() const { return mSelectButton; }

protected:
	void FinishCreateSelf() override;
	// Both name and symbol columns; the exchange column between them when inExchange is set.
	void DrawColumns(const Rect& inCellRect, const tLookupEntry* inEntry, bool inExchange);

private:
	// Text and source of a search; false (after a beep) when either is missing.
	bool SearchInputs(char* outText, long inSize, OSType& outQuoter);
	void Submit(const char* inText, OSType inQuoter, UInt32 inPage);
	void OpenInBrowser(const char* inText, OSType inQuoter);
	void Choose(bool inStay);
	void Sort();
	void FillSourceMenu();

	UInt32 mPage = 0;
	TLookupTable* mTable = nullptr;
	LPushButton* mLookupButton = nullptr;
	LPushButton* mSelectButton = nullptr;
	LBevelButton* mDirectionButton = nullptr;
	LEditText* mSearchText = nullptr;
	LPopupButton* mSearchQuoter = nullptr;
	LPushButton* mMoreButton = nullptr;
	LCaption* mMessage = nullptr;
	LChasingArrows* mChasingArrows = nullptr;
	bool mDescending = false;
	FourCharCode mSortKey;
	TLookupList* mList = nullptr;
	TURLRequest* mRequest = nullptr;
	tSecurityType mKind;
	std::unique_ptr<tMenuItems[]> mMenuItems;
};
