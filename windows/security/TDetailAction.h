#pragma once
// The context actions on a security shown in a detail view or a summary row: its quote source's page,
// its settings dialog, trading, filings, charts and a fresh quote.

class TSecurity;

class TDetailAction
{
public:
	TDetailAction() = default;
	explicit TDetailAction(TSecurity* sec) : mSecurity(sec) {}

	TSecurity* GetSecurity() const { return mSecurity; }
	void SetSecurity(TSecurity* sec) { mSecurity = sec; }
	// The command the settings dialog sends on OK; 0 keeps the dialog's default.
	long GetCommand() const { return mCommand; }
	void SetCommand(long command) { mCommand = command; }

	void DoWeb();
	// The security's page at its quote source; with quotePageFirst the source's quote page address is
	// asked for before its detailed page.
	static void OpenSourcePage(TSecurity* sec, bool quotePageFirst);
	void DoEdit();
	void DoTrade();
	void DoFilings();
	void DoCharts();
	void DoUpdate();

protected:
	TSecurity* mSecurity = nullptr;
	long mCommand = 0;
};
