#pragma once
// A caption of a printout (page header or footer) whose text is a template: on every printed page the
// tokens "#page", "#total", "#day", "#month", "#year", "#hour", "#minute", "#second" and "#title" are
// replaced (the first occurrence of each) by that page's values. PrepareCaption must run before the job.
//
// Page numbers: with the range form a partial printout numbers its printed pages from 1 and gives their
// count as the total; without it pages keep the document's numbers and the total is the last page printed.
// Layout stream: the caption's data only.

#include "platform/framework/LCaption.h"
#include "platform/framework/LPrintout.h"

class TPrinterHeader : public LCaption, public LPanelPreparer
{
public:
	enum { class_ID = FOUR_CHAR_CODE("PrHd") };

	explicit TPrinterHeader(LStream* inStream);

	// A null title gives an empty one.
	virtual void PrepareCaption(LPrintout* inPrintout, const char* inTitle, bool inRange);
	// Replaces the tokens of ioText for the page; today's date and time are taken once.
	virtual void MungeText(const PanelSpec& inPanel, Str255 ioText);

	// Starts again from the template and sets this page's text.
	void PreparePanel(const PanelSpec& inPanel) override;

	SInt32 GetFirstPage() const { return mFirstPage; }
	SInt32 GetPageCount() const { return mPageCount; }

protected:
	Str255 mTemplate;
	Str255 mTitle = {0};
	SInt32 mFirstPage = 0;
	SInt32 mPageCount = 0;
};
