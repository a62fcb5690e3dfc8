#pragma once
// A place in a layout that another pane can be put into for a while (a table into a printout's page): the
// occupant takes the place's frame and goes back where it came from when it is removed. An occupant whose
// image is larger than the place is printed in panels, one place-sized piece of the image each.

#include "platform/framework/LView.h"

class LPlaceHolder : public LView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("plac") };

	// Reads the pane's data.
	explicit LPlaceHolder(LStream* inStream);
	~LPlaceHolder() override; // gives the occupant back

	// Alignment -1 keeps the occupant's size at the place's top-left; any other fills the place.
	void InstallOccupant(LPane* inOccupant, SInt16 inAlignment = 0);
	LPane* RemoveOccupant(); // the occupant, back in its former view, frame and visibility
	LPane* GetOccupant() const { return mOccupant; }

	// Panels the occupant's image needs across and down; at least 1 x 1.
	void CountPanels(UInt32& outHorizPanels, UInt32& outVertPanels) const;
	// Scrolls the occupant's image to the panel (from 1).
	void ScrollToPanel(UInt32 inHorizIndex, UInt32 inVertIndex);

private:
	LPane* mOccupant = nullptr;
	LView* mFormerView = nullptr;
	SPoint32 mFormerLocation;
	SDimension16 mFormerSize;
	Boolean mFormerVisible = true;
};
