#pragma once
// A printout: a pane tree laid out on a page, built from a layout like a window (class 'prnt') and printed
// with its print settings. It is a window that is never shown, so that its panes draw as they do on
// screen; while it prints, its port draws on the printer's page in points. Panes that a placeholder holds
// may need several pages (panels); pages are numbered across, then down.

#include "platform/framework/LPrintSettings.h"
#include "platform/framework/LWindow.h"

struct PanelSpec {
	UInt32 horizIndex = 1; // from 1
	UInt32 vertIndex = 1;
	UInt32 pageNumber = 1;
	Boolean isFirstPanel = true;
	Boolean isLastPanel = true;
};

// A pane whose drawing depends on the page (a header with page numbers): before drawing each page the
// printout lets it prepare.
class LPanelPreparer
{
public:
	virtual ~LPanelPreparer() = default;
	virtual void PreparePanel(const PanelSpec& inPanel) = 0;
};

class LPrintout : public LWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("prnt") };

	// The printout of a layout; null when the layout does not exist or does not make a printout.
	static LPrintout* CreatePrintout(ResIDT inLayoutID);

	explicit LPrintout(const SPaneInfo& inPaneInfo);
	// Reads the pane's data only.
	explicit LPrintout(LStream* inStream);

	// The printout keeps a copy and takes the size of its printable area.
	void SetPrintSpec(const LPrintSettings& inPrintSpec);
	LPrintSettings& GetPrintSpec() { return mPrintSpec; }

	// The most panels any placeholder needs, across and down; at least 1 x 1.
	void CountPanels(UInt32& outHorizPanels, UInt32& outVertPanels) const;

	// Prints the pages of the settings' page range that exist; throws the error when the printer or file
	// fails.
	virtual void DoPrintJob();

	// The page being printed, or null.
	const PanelSpec* GetPrintingPanel() const { return mPrinting ? &mPanel : nullptr; }

	// err_PrintFileRefused: nothing may be written to the output file (an open document's, a link that
	// leads nowhere or is not followed, no plain file, a copy another program took); ParamText holds the
	// file's name (^0) and the reason (^1). err_PrintFileMadeMeanwhile: the output file was chosen as
	// new, and another program made a file of that name since (^0 its name).
	enum : ExceptionCode {
		err_PrintFailed = -27,
		err_PrintFileRefused = -28,
		err_PrintFileMadeMeanwhile = -29
	};

private:
	void PreparePanes(LPane* inPane);
	PanelSpec mPanel;
	Boolean mPrinting = false;
	LPrintSettings mPrintSpec;
};
