#include "model/UScreenTest.h"

#include <utility>

namespace
{

UScreenTest::Test& TheTest()
{
	static UScreenTest::Test sTest;
	return sTest;
}

} // namespace

void UScreenTest::SetTest(Test test)
{
	TheTest() = std::move(test);
}

bool UScreenTest::IsOnScreen(const Rect& rect)
{
	return TheTest() ? TheTest()(rect) : true;
}
