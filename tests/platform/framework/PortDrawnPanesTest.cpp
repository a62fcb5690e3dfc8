#include "ControlsTestSupport.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LChasingArrows.h"
#include "platform/framework/LStaticText.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/GrafPort.h"

#include <QImage>
#include <set>

using namespace ControlsTest;

namespace
{

class PortDrawnPanesTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadControlFixtures();
		mApp = std::make_unique<LApplication>();
		mWindow = LWindow::CreateWindow(7040, mApp.get());
		ASSERT_NE(mWindow, nullptr);
		mWindow->Show();
		mWindow->UpdatePort();
	}

	// Port rows of the pane's frame that hold ink (anything not white), and the colours of the ink.
	std::vector<int> InkRows(LPane* inPane, std::set<QRgb>* outColours = nullptr) const
	{
		Rect frame;
		inPane->CalcPortFrameRect(frame);
		const QImage& image = *mWindow->GetMacPort()->image;
		std::vector<int> rows;
		for (int v = frame.top; v < frame.bottom; ++v)
			for (int h = frame.left; h < frame.right; ++h) {
				const QRgb p = image.pixel(h, v) & 0xFFFFFF;
				if (p == 0xFFFFFF)
					continue;
				if (rows.empty() || rows.back() != v)
					rows.push_back(v);
				if (outColours)
					outColours->insert(p);
			}
		return rows;
	}

	std::unique_ptr<LApplication> mApp;
	LWindow* mWindow = nullptr;
};

TEST_F(PortDrawnPanesTest, CaptionDrawsInItsTextTraitsAndRedrawsItsNewText)
{
	auto* caption = dynamic_cast<LCaption*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("capR")));
	ASSERT_NE(caption, nullptr);
	std::set<QRgb> colours;
	ASSERT_FALSE(InkRows(caption, &colours).empty());
	for (QRgb c : colours) // red, or red blended into white at the glyphs' edges
		EXPECT_EQ(qRed(c), 0xFF) << std::hex << c;

	caption->SetDescriptor(reinterpret_cast<const unsigned char*>("\0"));
	mWindow->UpdatePort();
	EXPECT_TRUE(InkRows(caption).empty());
}

TEST_F(PortDrawnPanesTest, StaticTextWrapsToItsFrameAndGivesItsTextBack)
{
	auto* text = dynamic_cast<LStaticText*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("wrap")));
	ASSERT_NE(text, nullptr);
	const std::vector<int> rows = InkRows(text);
	ASSERT_FALSE(rows.empty());
	EXPECT_GT(rows.back() - rows.front(), 20); // more than one line

	const std::string longText(300, 'x');
	text->SetText(longText.c_str());
	char buffer[10];
	Size length = 0;
	text->GetText(buffer, sizeof buffer, &length);
	EXPECT_EQ(length, 300);
	EXPECT_EQ(std::string(buffer), std::string(9, 'x'));
	Str255 descriptor;
	text->GetDescriptor(descriptor);
	EXPECT_EQ(descriptor[0], 255);
	text->SetText(nullptr);
	text->GetText(buffer, sizeof buffer, &length);
	EXPECT_EQ(length, 0);
	EXPECT_EQ(buffer[0], 0);
}

TEST_F(PortDrawnPanesTest, ChasingArrowsTurnOnlyWhileShown)
{
	StTestClock clock;
	auto* arrows = dynamic_cast<LChasingArrows*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("Arrw")));
	ASSERT_NE(arrows, nullptr);
	const SInt16 first = arrows->GetStep();
	clock.Advance(6);
	LApplication::DispatchNullEvent();
	EXPECT_EQ(arrows->GetStep(), (first + 1) % 8);
	clock.Advance(2); // too soon for the next step
	LApplication::DispatchNullEvent();
	EXPECT_EQ(arrows->GetStep(), (first + 1) % 8);

	arrows->Hide();
	clock.Advance(30);
	LApplication::DispatchNullEvent();
	EXPECT_EQ(arrows->GetStep(), (first + 1) % 8);
	arrows->Show();
	clock.Advance(6);
	LApplication::DispatchNullEvent();
	EXPECT_EQ(arrows->GetStep(), (first + 2) % 8);
}

TEST_F(PortDrawnPanesTest, SeparatorAndGroupBoxDrawTheirLines)
{
	LPane* line = mWindow->FindPaneByID(FOUR_CHAR_CODE("line"));
	LPane* group = mWindow->FindPaneByID(FOUR_CHAR_CODE("grup"));
	ASSERT_TRUE(line && group);
	EXPECT_EQ(InkRows(line).size(), 1u);
	const std::vector<int> rows = InkRows(group);
	ASSERT_FALSE(rows.empty());
	Rect frame;
	group->CalcPortFrameRect(frame);
	EXPECT_EQ(rows.back(), frame.bottom - 1); // the box's bottom edge
}

} // namespace
