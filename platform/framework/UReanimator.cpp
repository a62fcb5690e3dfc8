#include "platform/framework/UReanimator.h"

#include "platform/framework/LBroadcaster.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LHandleStream.h"
#include "platform/framework/LListener.h"
#include "platform/framework/LView.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/ResourceStore.h"

namespace
{

class StDefaults
{
public:
	StDefaults(LView* inView, LCommander* inCommander)
	    : mView(LPane::GetDefaultView()), mCommander(LCommander::GetDefaultCommander())
	{
		LPane::SetDefaultView(inView);
		LCommander::SetDefaultCommander(inCommander);
	}
	~StDefaults()
	{
		LPane::SetDefaultView(mView);
		LCommander::SetDefaultCommander(mCommander);
	}

private:
	LView* mView;
	LCommander* mCommander;
};

void DeletePane(LPane* inPane)
{
	if (inPane->GetSuperView())
		inPane->PutInside(nullptr);
	delete inPane;
}

LPane* Build(const SResLayoutPane& inRes, LView* inSuper, LCommander* inCommander, PaneIDT inDefaultID = 0)
{
	LHandleStream stream;
	stream << SInt32(inRes.paneID != 0 ? inRes.paneID : inDefaultID) << SInt16(inRes.width)
	       << SInt16(inRes.height);
	stream << inRes.visible << inRes.enabled;
	stream << inRes.bindLeft << inRes.bindTop << inRes.bindRight << inRes.bindBottom;
	stream << SInt32(inRes.left) << SInt32(inRes.top) << SInt32(inRes.userCon);
	stream.WriteBlock(inRes.fields.data(), SInt32(inRes.fields.size()));
	stream.SetMarker(0);

	LPane* pane;
	{
		StDefaults defaults(inSuper, inCommander);
		pane = URegistrar::CreateObject(inRes.classID, &stream);
	}
	SignalIf_(pane == nullptr); // no creator registered for the class id
	if (!pane)
		return nullptr;
	// A constructor that reads less than the layout gives has a layout of another class.
	SignalIfNot_(stream.AtEnd());

	auto* view = dynamic_cast<LView*>(pane);
	SignalIf_(view == nullptr && !inRes.subPanes.empty());
	if (auto* commander = dynamic_cast<LCommander*>(pane))
		inCommander = commander;
	try {
		if (view)
			for (const SResLayoutPane& sub : inRes.subPanes)
				Build(sub, view, inCommander);
		pane->FinishCreate();
	} catch (...) {
		DeletePane(pane);
		throw;
	}
	return pane;
}

} // namespace

LPane* UReanimator::ReadObjects(ResIDT inLayoutID, LView* inSuperView, LCommander* inSuperCommander)
{
	const SResLayoutPane* layout = ResourceStore::Get().GetLayout(inLayoutID);
	SignalIf_(layout == nullptr);
	if (!layout)
		return nullptr;
	return Build(*layout, inSuperView, inSuperCommander, inLayoutID);
}

void UReanimator::LinkListenerToControls(LListener* inListener, LView* inContainer, ResIDT inControlListID)
{
	const std::vector<SInt32>* list = ResourceStore::Get().GetControlList(inControlListID);
	if (!list || !inListener || !inContainer)
		return;
	for (SInt32 id : *list) {
		auto* broadcaster = dynamic_cast<LBroadcaster*>(inContainer->FindPaneByID(id));
		SignalIf_(broadcaster == nullptr);
		if (broadcaster)
			broadcaster->AddListener(inListener);
	}
}
