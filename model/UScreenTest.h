#pragma once
// Whether the top line of a rectangle meets an active screen. The toolkit installs the test at start-up;
// without one every rectangle counts as on screen.

#include "platform/toolbox/MacTypes.h"

#include <functional>

class UScreenTest
{
public:
	using Test = std::function<bool(const Rect&)>;

	static void SetTest(Test test);
	static bool IsOnScreen(const Rect& rect);
};
