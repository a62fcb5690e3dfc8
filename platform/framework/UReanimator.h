#pragma once
// Builds pane trees from layout resources: for each pane it writes the pane's data and its fields into a
// stream and calls the creator registered for its class id, so the stream constructor reads what the
// original resource held. Sub panes are built inside their view, with the nearest commander pane above
// them as default commander; each pane is finished (FinishCreate) after its sub panes.

#include "platform/framework/LPane.h"

class LCommander;
class LListener;
class LPane;
class LView;

class UReanimator
{
public:
	// The root pane of the layout, placed in inSuperView (may be null), with inSuperCommander as default
	// commander; null when the layout does not exist. A root without pane id gets the layout's number. A
	// class without creator is reported and its subtree left out. An exception of a constructor deletes
	// what was built and is passed on.
	static LPane* ReadObjects(ResIDT inLayoutID, LView* inSuperView = nullptr,
	                          LCommander* inSuperCommander = nullptr);

	template <class T>
	static T* CreateView(ResIDT inLayoutID, LView* inSuperView, LCommander* inSuperCommander);

	// Adds inListener to the broadcasters named in control list inControlListID, found in inContainer.
	// A missing list is no error (a window need not have one); a missing pane or one that does not
	// broadcast is reported.
	static void LinkListenerToControls(LListener* inListener, LView* inContainer, ResIDT inControlListID);
	static void LinkListenerToBroadcasters(LListener* inListener, LView* inContainer,
	                                       ResIDT inControlListID)
	{
		LinkListenerToControls(inListener, inContainer, inControlListID);
	}
};

template <class T>
T* UReanimator::CreateView(ResIDT inLayoutID, LView* inSuperView, LCommander* inSuperCommander)
{
	LPane* pane = ReadObjects(inLayoutID, inSuperView, inSuperCommander);
	T* result = dynamic_cast<T*>(pane);
	if (pane && !result) {
		if (pane->GetSuperView())
			pane->PutInside(nullptr);
		delete pane;
	}
	return result;
}
