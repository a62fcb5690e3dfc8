#pragma once
// The modifier keys of the last mouse or key event, as the event watcher keeps them. The toolkit installs
// the source at start-up; without one no key is held.

#include <functional>

class UModifierKeys
{
public:
	struct tKeys {
		bool shift = false;
		bool command = false;
		bool option = false;
		bool control = false;
	};
	using Source = std::function<tKeys()>;

	static void SetSource(Source source);

	static bool ShiftKey() { return Keys().shift; }
	static bool CommandKey() { return Keys().command; }
	static bool OptionKey() { return Keys().option; }
	static bool ControlKey() { return Keys().control; }

private:
	static tKeys Keys();
};
