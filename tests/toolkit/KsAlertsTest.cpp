#include "toolkit/KsAlerts.h"

#include "platform/framework/UModalAlerts.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/KsPPDialogs.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

TEST(KsAlertsTest, EachAlertShowsItsMessageInAlert200WithItsIcon)
{
	ToolkitTest::LoadResources();
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::SetAnswersRequired(true);
	for (int i = 0; i < 4; ++i)
		UModalAlerts::QueueAnswer(1);
	KsError(3);
	KsWarning(6);
	KsInfo(7);
	KsError(999); // beyond the list: an empty text
	KsError(0);   // nothing at all
	KsWarning(0);
	KsInfo(0);
	UModalAlerts::SetAnswersRequired(false);
	const auto& shown = UModalAlerts::GetShownAlerts();
	ASSERT_EQ(shown.size(), 4u);
	const EAlertKind kinds[] = {kAlertStop, kAlertCaution, kAlertNote, kAlertStop};
	const SInt16 messages[] = {3, 6, 7, 999};
	for (size_t i = 0; i < 4; ++i) {
		Str255 text;
		GetIndString(text, kKsAlertStringsID, messages[i]);
		EXPECT_EQ(shown[i].kind, kinds[i]);
		EXPECT_EQ(shown[i].alertID, 200);
		EXPECT_EQ(shown[i].text, std::string(reinterpret_cast<char*>(text + 1), text[0]));
	}
	EXPECT_FALSE(shown[0].text.empty());
	EXPECT_TRUE(shown[3].text.empty());
}

TEST(KsPPFormatValueTest, OneIntegerConversionIsFilledAndAnythingElseShownAsItStands)
{
	const std::string longFormat = std::string(300, 'x') + "%d";
	const struct {
		const char* format;
		const char* expected;
	} cases[] = {{"%d left", "12 left"},
	             {"%ld of 100%%", "12 of 100%"},
	             {"[%5i]", "[   12]"},
	             {"%04x", "000c"},
	             {"%hd", "12"},
	             {"No value here", "No value here"},
	             {"", ""},
	             // Texts that would read arguments that are not there, or write without bound.
	             {"%s", "%s"},
	             {"%d and %d", "%d and %d"},
	             {"%n", "%n"},
	             {"%99999d", "%99999d"},
	             {"%.5000d", "%.5000d"},
	             {"100%", "100%"},
	             {longFormat.c_str(), nullptr}};
	for (const auto& c : cases) {
		char text[400];
		KsPPFormatValue(c.format, 12, text, sizeof(text));
		EXPECT_STREQ(text, c.expected ? c.expected : std::string(255, 'x').c_str()) << c.format;
	}
	char small[8];
	KsPPFormatValue("%d apples", 123456, small, sizeof(small));
	EXPECT_STREQ(small, "123456 ");
}

} // namespace
