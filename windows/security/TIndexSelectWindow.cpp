#include "windows/security/TIndexSelectWindow.h"

#include "model/TIndex.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LRadioButton.h"

namespace
{
constexpr PaneIDT kStandardRadio = FOUR_CHAR_CODE("Indx");
constexpr PaneIDT kStandardMenu = FOUR_CHAR_CODE("xInd");
constexpr PaneIDT kCountryRadio = FOUR_CHAR_CODE("Ctry");
constexpr PaneIDT kCountryMenu = FOUR_CHAR_CODE("xCty");
constexpr PaneIDT kOtherRadio = FOUR_CHAR_CODE("Othr");

const tIndexDefinitionRow* FindIndex(SInt32 inCode)
{
	for (const tIndexDefinitionRow* row = TIndexSelectWindow::sIndexes;
	     row->code != TIndexSelectWindow::kNoIndex; ++row)
		if (row->code == inCode)
			return row;
	return nullptr;
}

void EnablePane(LPane* inPane, bool inOn)
{
	if (inPane != nullptr)
		inOn ? inPane->Enable() : inPane->Disable();
}
} // namespace

const tMenuItems TIndexSelectWindow::sStandardIndexes[] = {{1, 100},
                                                           {2, 102},
                                                           {3, 101},
                                                           {4, 103},
                                                           {6, 104},
                                                           {7, 105},
                                                           {8, 111},
                                                           {9, 112},
                                                           {10, 113},
                                                           {12, 106},
                                                           {13, 114},
                                                           {14, 115},
                                                           {15, 116},
                                                           {16, 117},
                                                           {17, 118},
                                                           {18, 119},
                                                           {19, 120},
                                                           {20, 121},
                                                           {22, 107},
                                                           {23, 108},
                                                           {24, 109},
                                                           {25, 110},
                                                           {kEndOfMenuItems, kEndOfMenuItems}};

const tMenuItems TIndexSelectWindow::sCountryIndexes[] = {
    {1, 200},  {2, 201},  {3, 202},  {4, 203},  {5, 204},  {6, 205},
    {7, 206},  {9, 300},  {10, 301}, {11, 303}, {13, 400}, {14, 401},
    {15, 402}, {16, 403}, {17, 404}, {18, 405}, {19, 408}, {20, 409},
    {21, 412}, {23, 500}, {24, 501}, {25, 503}, {26, 507}, {27, 508},
    {28, 512}, {29, 513}, {30, 514}, {32, 600}, {33, 601}, {kEndOfMenuItems, kEndOfMenuItems}};

const tIndexDefinitionRow TIndexSelectWindow::sIndexes[] = {{100, "^DJI", "Dow Jones Industrial"},
                                                            {103, "^DJA", "Dow Jones Composite"},
                                                            {101, "^DJU", "Dow Jones Utilities"},
                                                            {102, "^DJT", "Dow Jones Transport"},
                                                            {104, "^GSPC", "S&P 500 Index"},
                                                            {105, "^OEX", "S&P 100 Index"},
                                                            {111, "^MID", "S&P 400 Midcap"},
                                                            {112, "^SML", "S&P 600 Smallcap"},
                                                            {113, "^SPSUPX", "S&P Composite 1500"},
                                                            {106, "^IXIC", "NASDAQ Composite"},
                                                            {114, "^IXBK", "NASDAQ Bank"},
                                                            {115, "^NBI", "NASDAQ BioTechnology"},
                                                            {116, "^IXK", "NASDAQ Computer"},
                                                            {117, "^IXF", "NASDAQ Financial"},
                                                            {118, "^IXID", "NASDAQ Industrial"},
                                                            {119, "^IXIS", "NASDAQ Insurance"},
                                                            {120, "^IXUT", "NASDAQ Telecommunications"},
                                                            {121, "^IXTR", "NASDAQ Transportation"},
                                                            {107, "^XAX", "AMEX Composite"},
                                                            {108, "^RUI", "Russell 1000"},
                                                            {109, "^RUT", "Russell 2000"},
                                                            {110, "^RUA", "Russell 3000"},
                                                            {200, "^GSPTSE", "S&P/TSX Composite"},
                                                            {201, "^FTSE", "FTSE 100"},
                                                            {202, "^GDAXI", "DAX"},
                                                            {203, "^FCHI", "CAC 40"},
                                                            {204, "^MIBTEL", "MIBTel"},
                                                            {205, "^HSI", "Hang Seng"},
                                                            {206, "^N225", "Nikkei 225"},
                                                            {300, "^MERV", "MerVal"},
                                                            {301, "^BVSP", "Bovespa"},
                                                            {303, "^MXX", "IPC"},
                                                            {400, "^AORD", "All Ordinaries"},
                                                            {401, "^SSEC", "Shanghai Composite"},
                                                            {402, "^BSESN", "BSE 30"},
                                                            {403, "^JKSE", "Jakarta Composite"},
                                                            {404, "^KLSE", "KLSE Composite"},
                                                            {405, "^NZ50", "NZSE 50"},
                                                            {408, "^STI", "Singapore Straits Times"},
                                                            {409, "^KS11", "Seoul Composite"},
                                                            {412, "^TWII", "Taiwan Weighted"},
                                                            {500, "^ATX", "ATX"},
                                                            {501, "^BFX", "BEL-20"},
                                                            {503, "OMXC20.CO", "OMX Copenhagen 20"},
                                                            {507, "^AEX", "AEX General"},
                                                            {508, "^OSEAX", "OSE All Share"},
                                                            {512, "^SMSI", "Madrid General"},
                                                            {513, "^OMXSPI", "Stockholm General"},
                                                            {514, "^SSMI", "Swiss Market"},
                                                            {600, "^CCSI", "Egypt CMA"},
                                                            {601, "^TA100", "Tel-Av TASE-100 IND"},
                                                            {999, "", ""}};

TIndexSelectWindow::TIndexSelectWindow(LStream* inStream) : TSelectDlog(inStream)
{
	mHasTabs = true;
	mLosingAlertPanel = 1;
	mGainingAlertPanel = 2;
	mHTMLPanel = 3;
}

void TIndexSelectWindow::FinishCreateSelf()
{
	TSelectDlog::FinishCreateSelf();
	mStandardSelect = FindPane<LRadioButton>(kStandardRadio);
	mStandardIndex = FindPane<LPopupButton>(kStandardMenu);
	mCountrySelect = FindPane<LRadioButton>(kCountryRadio);
	mCountryIndex = FindPane<LPopupButton>(kCountryMenu);
	mOtherSelect = FindPane<LRadioButton>(kOtherRadio);
	mDetails = FindPane<LView>(FOUR_CHAR_CODE("Dtls"));
	mIndexName = FindPane<LEditText>(FOUR_CHAR_CODE("Name"));
	mIndexSymbol = FindPane<LEditText>(FOUR_CHAR_CODE("Symb"));
	auto name = [](SInt32 inCode) {
		const tIndexDefinitionRow* row = FindIndex(inCode);
		return std::string(row != nullptr ? row->name : "");
	};
	mBusy = true;
	FillTableMenu(mStandardIndex, sStandardIndexes, name);
	FillTableMenu(mCountryIndex, sCountryIndexes, name);
	mSourcesQuoter = FindPane<LPopupButton>(FOUR_CHAR_CODE("qQtr"));
	FillSourceMenu(mSourcesQuoter, securityIndex);
	mBusy = false;
}

void TIndexSelectWindow::SetSecurity(TSecurity* inSecurity)
{
	SetSecurity(dynamic_cast<TIndex*>(inSecurity));
}

void TIndexSelectWindow::SetSecurity(TIndex* inIndex)
{
	mIndex = inIndex;
	BindSecurity(inIndex, 5134);
}

Boolean TIndexSelectWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	// Our own updates of the radios and pop-ups broadcast too.
	if (mBusy)
		return true;
	switch (inCommand) {
	case kOtherRadio:
	case kStandardRadio:
	case kCountryRadio:
	case kStandardMenu:
	case kCountryMenu:
		mBusy = true;
		mIndexChanged = true;
		if (inCommand == kOtherRadio || inCommand == kStandardRadio || inCommand == kCountryRadio)
			CheckRadio(PaneIDT(inCommand));
		if (inCommand != kOtherRadio)
			CheckMenuID(PaneIDT(inCommand));
		mBusy = false;
		return true;
	default:
		return TSelectDlog::ObeyCommand(inCommand, ioParam);
	}
}

void TIndexSelectWindow::CheckRadio(PaneIDT inRadio)
{
	const bool standard = inRadio == kStandardRadio;
	const bool country = inRadio == kCountryRadio;
	const bool other = inRadio == kOtherRadio;
	if (mStandardSelect != nullptr)
		mStandardSelect->SetValue(standard ? 1 : 0);
	if (mCountrySelect != nullptr)
		mCountrySelect->SetValue(country ? 1 : 0);
	if (mOtherSelect != nullptr)
		mOtherSelect->SetValue(other ? 1 : 0);
	EnablePane(mStandardIndex, standard);
	EnablePane(mCountryIndex, country);
	EnablePane(mDetails, other);
}

void TIndexSelectWindow::CheckMenuID(PaneIDT inPane)
{
	SInt32 code = -1;
	if ((inPane == kStandardRadio || inPane == kStandardMenu) && mStandardIndex != nullptr)
		code = UMenus::TranslateMenu(false, sStandardIndexes, mStandardIndex->GetValue());
	else if ((inPane == kCountryRadio || inPane == kCountryMenu) && mCountryIndex != nullptr)
		code = UMenus::TranslateMenu(false, sCountryIndexes, mCountryIndex->GetValue());
	const tIndexDefinitionRow* row = FindIndex(code);
	if (row == nullptr)
		return;
	SetFieldText(mIndexName, row->name);
	SetFieldText(mIndexSymbol, row->symbol);
}

void TIndexSelectWindow::RedoContent()
{
	if (mIndex == nullptr)
		return;
	mBusy = true;
	const tIndex code = mIndex->Index();
	if (code == kOtherIndex || code == kNoIndex)
		CheckRadio(kOtherRadio);
	else if (code >= 100 && code <= 121) {
		CheckRadio(kStandardRadio);
		if (mStandardIndex != nullptr)
			mStandardIndex->SetValue(UMenus::TranslateMenu(true, sStandardIndexes, code));
	} else if (code >= 200 && code <= 601) {
		CheckRadio(kCountryRadio);
		if (mCountryIndex != nullptr)
			mCountryIndex->SetValue(UMenus::TranslateMenu(true, sCountryIndexes, code));
	}
	RedoIdentity(mIndexName, mIndexSymbol);
	ShowQuoter(mSourcesQuoter, mIndex->Quoter());
	RedoAlertContent();
	RedoHTMLContent();
	mIndexChanged = false;
	mBusy = false;
}

tIndex TIndexSelectWindow::ChosenIndex() const
{
	// A code the controls cannot show stays as it is until the user chooses another index.
	const tIndex stored = mIndex->Index();
	const bool shown =
	    stored == kOtherIndex || stored == kNoIndex ||
	    UMenus::TranslateMenu(false, sStandardIndexes,
	                          UMenus::TranslateMenu(true, sStandardIndexes, stored)) == stored ||
	    UMenus::TranslateMenu(false, sCountryIndexes,
	                          UMenus::TranslateMenu(true, sCountryIndexes, stored)) == stored;
	if (!mIndexChanged && !shown)
		return stored;
	if (mStandardSelect != nullptr && mStandardSelect->GetValue() != 0 && mStandardIndex != nullptr)
		return tIndex(UMenus::TranslateMenu(false, sStandardIndexes, mStandardIndex->GetValue()));
	if (mCountrySelect != nullptr && mCountrySelect->GetValue() != 0 && mCountryIndex != nullptr)
		return tIndex(UMenus::TranslateMenu(false, sCountryIndexes, mCountryIndex->GetValue()));
	if (mOtherSelect != nullptr && mOtherSelect->GetValue() != 0)
		return kOtherIndex;
	return stored;
}

void TIndexSelectWindow::SaveContent()
{
	if (mIndex == nullptr)
		return;
	mIndex->Index(ChosenIndex());
	SaveIdentity(mIndexName, mIndexSymbol, 12);
	if (mSourcesQuoter != nullptr)
		mIndex->Quoter(ChosenQuoter(mSourcesQuoter));
	SaveAlertContent();
	SaveHTMLContent();
	UpdateSecurity();
}
