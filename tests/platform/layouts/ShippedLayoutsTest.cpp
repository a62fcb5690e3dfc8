// Every layout the program ships builds: each pane's class is registered, each constructor reads exactly
// the fields its layout gives, and nothing is signalled on the way. Layouts added to resources/ are
// covered as they come; classes come from the same registrations the program makes.

#include "app/kestrunApp.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UControlRegistry.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UReanimator.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/RegisterToolkitClasses.h"
#include "windows/security/UWindowRegistry.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <string>

namespace
{

std::string CodeText(FourCharCode inCode)
{
	std::string text;
	for (int shift = 24; shift >= 0; shift -= 8)
		text += char((inCode >> shift) & 0xFF);
	return text;
}

void RegisterProgramClasses()
{
	UControlRegistry::RegisterClasses();
	RegisterClass_(LPane);
	RegisterClass_(LView);
	RegisterClass_(LWindow);
	RegisterClass_(LPlaceHolder);
	RegisterClass_(LPrintout);
	RegisterToolkitClasses();
	kestrunApp::RegisterClasses();
	UWindowRegistry::RegisterClasses();
}

// Class ids of the tree that nothing is registered for, each with the pane's id.
void FindUnknownClasses(const SResLayoutPane& inPane, std::vector<std::string>& outUnknown)
{
	if (!URegistrar::IsRegistered(inPane.classID))
		outUnknown.push_back(CodeText(inPane.classID) + " (pane " + std::to_string(inPane.paneID) +
		                     ")");
	for (const SResLayoutPane& sub : inPane.subPanes)
		FindUnknownClasses(sub, outUnknown);
}

void Discard(LPane* inPane)
{
	if (auto* window = dynamic_cast<LWindow*>(inPane)) {
		window->DoClose();
		UDispatch::DeletePending();
		return;
	}
	if (inPane->GetSuperView())
		inPane->PutInside(nullptr);
	delete inPane;
}

TEST(ShippedLayoutsTest, EveryLayoutBuildsWithRegisteredClassesAndExactFields)
{
	if (!QCoreApplication::instance()) {
		static int argc = 1;
		static char name[] = "test_layouts";
		static char* argv[] = {name, nullptr};
		new QApplication(argc, argv);
	}
	std::string error;
	ASSERT_TRUE(
	    ResourceStore::Get().LoadFolder(std::string(VANTOREL_FIXTURES) + "/../../resources", &error))
	    << error;
	RegisterProgramClasses();
	LApplication app;
	const std::vector<SInt16> layouts = ResourceStore::Get().GetLayoutIDs();
	ASSERT_FALSE(layouts.empty());
	for (SInt16 id : layouts) {
		SCOPED_TRACE("layout " + std::to_string(id));
		std::vector<std::string> unknown;
		FindUnknownClasses(*ResourceStore::Get().GetLayout(id), unknown);
		for (const std::string& what : unknown)
			ADD_FAILURE() << "no class registered for " << what;
		if (!unknown.empty())
			continue;
		const long signalsBefore = Debugging::SignalCount();
		LPane* pane = nullptr;
		try {
			pane = UReanimator::ReadObjects(id, nullptr, &app);
		} catch (const LException& e) {
			ADD_FAILURE()
			    << "a constructor read past its fields (error " << e.GetErrorCode() << ")";
		}
		EXPECT_NE(pane, nullptr);
		EXPECT_EQ(Debugging::SignalCount(), signalsBefore) << "signalled while building";
		if (pane)
			Discard(pane);
	}
}

} // namespace
