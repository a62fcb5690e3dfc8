#include "platform/toolbox/gui/ColorPicker.h"

#include "platform/toolbox/Debugging.h"

#include <gtest/gtest.h>

namespace
{

class ColorPickerTest : public ::testing::Test
{
protected:
	void TearDown() override
	{
		ClearColorAnswers();
		SetColorAnswersRequired(false);
	}
};

TEST_F(ColorPickerTest, QueuedAnswersAreGivenInTurn)
{
	QueueColorAnswer(true, RGBColor{0xFFFF, 0x8000, 0x0001});
	QueueColorAnswer(false);
	QueueColorAnswer(true, RGBColor{1, 2, 3});
	const RGBColor start{10, 20, 30};
	RGBColor color = start;

	EXPECT_TRUE(GetColor(Point{}, (ConstStr255Param) "\4Rise", &start, &color));
	EXPECT_EQ(color.red, 0xFFFF);
	EXPECT_EQ(color.green, 0x8000);
	EXPECT_EQ(color.blue, 0x0001);

	color = start;
	EXPECT_FALSE(GetColor(Point{}, nullptr, &start, &color));
	EXPECT_EQ(color.red, 10); // a cancelled picker leaves the colour alone
	EXPECT_EQ(color.blue, 30);

	EXPECT_TRUE(GetColor(Point{}, nullptr, &start, &color));
	EXPECT_EQ(color.green, 2);
}

TEST_F(ColorPickerTest, WithoutAnAnswerAScriptedRunCancelsAndSaysSo)
{
	SetColorAnswersRequired(true);
	const long signalsBefore = Debugging::SignalCount();
	RGBColor color{5, 5, 5};
	EXPECT_FALSE(GetColor(Point{}, nullptr, nullptr, &color));
	EXPECT_EQ(color.red, 5);
	EXPECT_EQ(Debugging::SignalCount(), signalsBefore + 1);
	QueueColorAnswer(true, RGBColor{7, 7, 7});
	EXPECT_FALSE(GetColor(Point{}, nullptr, nullptr, nullptr)); // nowhere to put it: the answer stays
	EXPECT_TRUE(GetColor(Point{}, nullptr, nullptr, &color));
	EXPECT_EQ(color.red, 7);
}
} // namespace
