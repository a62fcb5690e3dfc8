#include "ControlsTestSupport.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LTabsControl.h"

#include <QCheckBox>
#include <QTabBar>

using namespace ControlsTest;

namespace
{

TEST(MultiPanelViewTest, TabsSwitchPanelsThatAreBuiltWhenFirstShown)
{
	LoadControlFixtures();
	auto app = std::make_unique<LApplication>();
	LWindow* window = LWindow::CreateWindow(7020, app.get());
	ASSERT_NE(window, nullptr);
	window->Show();
	auto* tabs = dynamic_cast<LTabsControl*>(window->FindPaneByID(FOUR_CHAR_CODE("Hdrs")));
	auto* panels = dynamic_cast<LMultiPanelView*>(window->FindPaneByID(FOUR_CHAR_CODE("MPV1")));
	ASSERT_TRUE(tabs && panels);
	tabs->AddListener(panels);

	EXPECT_EQ(tabs->CountTabs(), 3);
	EXPECT_EQ(panels->GetCurrentIndex(), 1);
	ASSERT_NE(panels->GetPanel(1), nullptr);
	EXPECT_EQ(panels->GetPanel(2), nullptr);
	auto* onFirst = dynamic_cast<LCheckBox*>(window->FindPaneByID(FOUR_CHAR_CODE("onP1")));
	ASSERT_NE(onFirst, nullptr);
	QCheckBox* box = NativeOf<QCheckBox>(onFirst);
	ASSERT_NE(box, nullptr);
	EXPECT_TRUE(box->isVisible());

	tabs->SetValue(2);
	EXPECT_EQ(panels->GetCurrentIndex(), 2);
	ASSERT_NE(panels->GetPanel(2), nullptr);
	EXPECT_TRUE(panels->GetPanel(2)->IsVisible());
	EXPECT_FALSE(panels->GetPanel(1)->IsVisible());
	EXPECT_FALSE(box->isVisible()); // the hidden panel's controls go with it
	EXPECT_EQ(panels->GetPanel(3), nullptr);

	panels->CreateAllPanels();
	ASSERT_NE(panels->GetPanel(3), nullptr);
	EXPECT_FALSE(panels->GetPanel(3)->IsVisible());

	// A click on the third tab, where the native bar shows it.
	QTabBar* bar = NativeOf<QTabBar>(tabs);
	ASSERT_NE(bar, nullptr);
	const QPoint inTab = bar->tabRect(2).center();
	const QPoint inPort = bar->geometry().topLeft() + inTab;
	ClickPortAt(window, Point{SInt16(inPort.y()), SInt16(inPort.x())});
	EXPECT_EQ(tabs->GetValue(), 3);
	EXPECT_EQ(bar->currentIndex(), 2);
	EXPECT_EQ(panels->GetCurrentIndex(), 3);

	panels->SwitchToPanel(1);
	EXPECT_TRUE(box->isVisible());
	panels->SwitchToPanel(9); // no such panel
	EXPECT_EQ(panels->GetCurrentIndex(), 1);
}

} // namespace
