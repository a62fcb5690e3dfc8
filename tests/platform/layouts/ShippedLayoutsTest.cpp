// Every layout the program ships builds: each pane's class is registered, each constructor reads exactly
// the fields its layout gives, and nothing is signalled on the way. Every window with edit fields opens with
// its first field taking typing, its text selected, and Tab goes through the fields the user sees. Layouts
// added to resources/ are covered as they come; classes come from the same registrations the program makes.

#include "app/kestrunApp.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LTabGroup.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UControlRegistry.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UReanimator.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/RegisterToolkitClasses.h"
#include "windows/security/UWindowRegistry.h"

#include <QApplication>
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <utility>

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

void LoadShippedLayouts()
{
	static bool loaded = false;
	if (loaded)
		return;
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
	loaded = true;
}

// The panes of the tree that are of class T, panels of multi-panel views built.
template <class T> void CollectPanes(LPane* inPane, std::vector<T*>& outPanes)
{
	if (auto* panels = dynamic_cast<LMultiPanelView*>(inPane))
		panels->CreateAllPanels();
	if (auto* pane = dynamic_cast<T*>(inPane))
		outPanes.push_back(pane);
	if (auto* view = dynamic_cast<LView*>(inPane))
		for (LPane* sub : view->GetSubPanes())
			CollectPanes(sub, outPanes);
}

TEST(ShippedLayoutsTest, EveryLayoutBuildsWithRegisteredClassesAndExactFields)
{
	ASSERT_NO_FATAL_FAILURE(LoadShippedLayouts());
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

// True when the widget that has the window's keyboard focus is the pane's own, so the caret shows where
// the keys go.
bool HasKeyboardFocus(LPane* inPane)
{
	QWidget* content = QtPaneWidget::ContentOf(inPane->GetWindow());
	QWidget* focus = content ? content->window()->focusWidget() : nullptr;
	while (focus && focus->parentWidget() != content)
		focus = focus->parentWidget();
	if (!focus)
		return false;
	Rect frame;
	inPane->CalcPortFrameRect(frame);
	const QRect area(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
	return focus->geometry().top() == frame.top && area.contains(focus->geometry().topLeft());
}

std::string TextOf(const LEditText* inField)
{
	char text[256];
	inField->GetText(text, sizeof text);
	return text;
}

// Tabs round the window's tab group once from the target: every shown field once, in reading order.
void ExpectTabOrderOfShownFields(LWindow* inWindow, const std::vector<LEditText*>& inShown)
{
	LCommander* first = LCommander::GetTarget();
	auto* firstPane = dynamic_cast<LPane*>(first);
	ASSERT_TRUE(firstPane && !dynamic_cast<LView*>(first)) << "no field takes typing";
	EXPECT_EQ(firstPane->GetWindow(), inWindow);
	// The field opens with all its text selected, so that typing replaces it.
	if (auto* field = dynamic_cast<LEditText*>(first)) {
		SInt16 start = 0, end = 0;
		field->GetSelection(start, end);
		EXPECT_EQ(std::make_pair(start, end), std::make_pair(SInt16(0), SInt16(TextOf(field).size())))
		    << CodeText(field->GetPaneID()) << " opens with its text not all selected";
		EventRecord key{};
		key.what = keyDown;
		key.message = '7';
		LApplication::DispatchEvent(key, inWindow);
		EXPECT_EQ(TextOf(field), "7") << CodeText(field->GetPaneID());
	}
	std::set<LEditText*> visited;
	Rect previous{-32768, -32768, -32768, -32768};
	LCommander* target = first;
	do {
		auto* pane = dynamic_cast<LPane*>(target);
		ASSERT_NE(pane, nullptr);
		const std::string name = CodeText(pane->GetPaneID());
		EXPECT_TRUE(pane->IsVisible()) << name;
		EXPECT_TRUE(HasKeyboardFocus(pane)) << name << " takes the keys but shows no caret";
		Rect frame;
		pane->CalcPortFrameRect(frame);
		const bool readingOrder =
		    frame.top > previous.top || (frame.top == previous.top && frame.left > previous.left);
		EXPECT_TRUE(target == first || readingOrder)
		    << name << " comes before a field above it or left of it";
		previous = frame;
		auto* field = dynamic_cast<LEditText*>(target);
		EXPECT_TRUE(!field || visited.insert(field).second) << name << " comes twice";
		EventRecord tab{};
		tab.what = keyDown;
		tab.message = char_Tab;
		LApplication::DispatchEvent(tab, inWindow);
		target = LCommander::GetTarget();
	} while (target != first && visited.size() <= inShown.size());
	EXPECT_EQ(visited, std::set<LEditText*>(inShown.begin(), inShown.end()));
}

TEST(ShippedLayoutsTest, WindowsWithEditFieldsOpenOnTheirFirstFieldAndTabThroughTheShownOnes)
{
	ASSERT_NO_FATAL_FAILURE(LoadShippedLayouts());
	LApplication app;
	int windowsWithFields = 0;
	for (SInt16 id : ResourceStore::Get().GetLayoutIDs()) {
		SCOPED_TRACE("layout " + std::to_string(id));
		LPane* pane = UReanimator::ReadObjects(id, nullptr, &app);
		auto* window = dynamic_cast<LWindow*>(pane);
		if (!window) {
			if (pane)
				Discard(pane);
			continue;
		}
		std::vector<LEditText*> fields;
		CollectPanes(window, fields);
		if (!fields.empty()) {
			++windowsWithFields;
			for (LEditText* field : fields)
				EXPECT_NE(dynamic_cast<LTabGroup*>(field->GetSuperCommander()), nullptr)
				    << "field " << CodeText(field->GetPaneID()) << " is in no tab group";
			// Filled, as the windows fill them before they show.
			for (LEditText* field : fields)
				field->SetText("12", 2);
			window->Show();
			std::vector<LEditText*> shown;
			std::copy_if(fields.begin(), fields.end(), std::back_inserter(shown),
			             [](LEditText* f) { return f->IsVisible() && f->IsEnabled(); });
			if (!shown.empty())
				ExpectTabOrderOfShownFields(window, shown);
		}
		Discard(window);
	}
	EXPECT_GE(windowsWithFields, 15);
}

} // namespace
