#pragma once
// A singleton window of the securities plug-in (security preferences, the four list windows, the summary
// and the two quick quotes), as the plug-in drives it. The window classes implement it; each operation the
// window does not have is a no-op. The plug-in holds windows borrowed: the framework owns them.

#include "Includes/TList.h"
#include "platform/toolbox/MacTypes.h"

class LCommander;
class TSecurity;
struct tStockTickerPrefs;
struct tSummaryParameters;

class IPluginWindow
{
public:
	virtual ~IPluginWindow() = default;

	// The window as a commander, by which its removal is recognised.
	virtual LCommander* GetCommander() = 0;
	virtual void Show() {}
	virtual void Select() {}
	virtual void Activate() {}
	virtual void AttemptClose() {}
	// Closes the window at once (shut-down); the reference is void afterwards.
	virtual void Delete() = 0;
	virtual void SetPrefs(tStockTickerPrefs*) {}
	virtual void SetList(UInt16 /*tSecurityType*/, TList<TSecurity>*) {}
	virtual void SetParameters(tSummaryParameters*) {}
	virtual void RedoParameters(tSummaryParameters*) {}
	virtual void Update() {}
	virtual void UpdateMe() {}
	// A command the plug-in sends the window itself (a list window's 'Look').
	virtual void ObeyCommand(long) {}
};
