#include "Includes/NoValue.h"
#include "model/TCurrency.h"
#include "model/TStock.h"
#include "tests/app/StockPluginTestSupport.h"

#include <cstring>
#include <string>

namespace
{

class StockPluginAppleEventsTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		Start();
		mIBM = TStockPlugin::GetStock("IBM", 100);
		mIBM->CurrentTradePrice(110);
		mIBM->YesterdayClose(100);
		mIBM->DayHigh(kNoValue);
	}
	void TearDown() override
	{
		Quit();
		StockPluginFixture::TearDown();
	}

	// Sends event number with the symbol under key (none when key is 0); the reply wants an answer.
	AppleEvent Send(long number, const char* symbol, AEKeyword key = keyDirectObject)
	{
		AppleEvent event, reply, result;
		reply.descriptorType = typeAppleEvent;
		if (key != 0)
			AEPutParamPtr(&event, key, typeChar, symbol, Size(std::strlen(symbol)));
		mPlugin->HandleAppleEvent(event, reply, result, number);
		return reply;
	}

	static float Value(const AppleEvent& reply)
	{
		float value = -1;
		Size size = 0;
		EXPECT_EQ(AEGetParamPtr(&reply, keyDirectObject, typeIEEE32BitFloatingPoint, nullptr, &value,
		                        sizeof(value), &size),
		          0);
		return value;
	}

	static std::pair<short, std::string> Error(const AppleEvent& reply)
	{
		short number = 0;
		char text[256] = {};
		Size size = 0;
		AEGetParamPtr(&reply, keyErrorNumber, typeSInt16, nullptr, &number, sizeof(number), &size);
		AEGetParamPtr(&reply, keyErrorString, typeChar, nullptr, text, 255, &size);
		return {number, text};
	}

	TStock* mIBM = nullptr;
};

TEST_F(StockPluginAppleEventsTest, QuoteQueriesAnswerTheValuesOfTheSymbolInTheirKind)
{
	EXPECT_FLOAT_EQ(Value(Send(7000, "ibm")), 110);
	EXPECT_TRUE(mPlugin->GetAEResult());
	EXPECT_FLOAT_EQ(Value(Send(7002, "IBM", FOUR_CHAR_CODE("SYMB"))), 100);
	EXPECT_FLOAT_EQ(Value(Send(7003, "IBM")), 10);
	EXPECT_FLOAT_EQ(Value(Send(7004, "IBM")), 10);
	EXPECT_FLOAT_EQ(Value(Send(7008, "IBM")), 0); // no day high
	EXPECT_EQ(Error(Send(7005, "IBM")),
	          std::make_pair(short(5), std::string("Unknown AppleEvent for Vantorel.")));

	// A change or percentage from a missing value, or a percentage of a zero close, is 0.
	mIBM->CurrentTradePrice(kNoValue);
	EXPECT_FLOAT_EQ(Value(Send(7000, "IBM")), 0);
	EXPECT_FLOAT_EQ(Value(Send(7003, "IBM")), 0);
	mIBM->CurrentTradePrice(110);
	mIBM->YesterdayClose(0);
	EXPECT_FLOAT_EQ(Value(Send(7004, "IBM")), 0);

	ASSERT_TRUE(Send(7012, "IBM").parameters.empty());
	ASSERT_EQ(mEnv->mRequests.size(), 1u);
	EXPECT_EQ(mEnv->mRequests[0].operation, "SubmitUserURL")
	    << "a script's refresh goes ahead of the round";
	EXPECT_EQ(mEnv->mRequests[0].security, mIBM);
}

TEST_F(StockPluginAppleEventsTest, ErrorsGoBackInTheReply)
{
	// A stock's symbol with a fund number.
	const auto notFound = Error(Send(7100, "IBM"));
	EXPECT_NE(notFound.first, 0);
	EXPECT_EQ(notFound.second, "Symbol Not Found.");
	EXPECT_TRUE(mPlugin->GetAEResult());
	EXPECT_EQ(Error(Send(7000, "", 0)),
	          std::make_pair(short(errAEDescNotFound), std::string("Symbol Required.")));

	// A sender that wants no reply gets nothing.
	AppleEvent event, reply, result;
	mPlugin->HandleAppleEvent(event, reply, result, 7000);
	EXPECT_TRUE(reply.parameters.empty());

	// Not the plug-in's: left to the framework.
	Send(6999, "IBM");
	EXPECT_FALSE(mPlugin->GetAEResult());
	Send(7013, "IBM");
	EXPECT_FALSE(mPlugin->GetAEResult());
}

TEST_F(StockPluginAppleEventsTest, DetailWindowEventSearchesEveryKind)
{
	TCurrency* pair = TStockPlugin::GetCurrency(300, 100);
	pair->CloseDetailWindow(true);
	ASSERT_TRUE(Send(7500, "eur,usd").parameters.empty());
	EXPECT_TRUE(pair->IsDetailWindowOpen());
}

} // namespace
