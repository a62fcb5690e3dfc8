#pragma once
// Sets an environment variable for the life of the object and puts the old value back afterwards.
// Setting "http_proxy" also hides the no-proxy lists, which could exempt the test's host names.

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

class ScopedEnvironment
{
public:
	ScopedEnvironment(const std::string& name, const std::string& value)
	{
		Set(name, value);
		if (name == "http_proxy") {
			Set("no_proxy", std::nullopt);
			Set("NO_PROXY", std::nullopt);
		}
	}
	~ScopedEnvironment()
	{
		for (auto it = mSaved.rbegin(); it != mSaved.rend(); ++it)
			Apply(it->first, it->second);
	}
	ScopedEnvironment(const ScopedEnvironment&) = delete;
	ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
	void Set(const std::string& name, const std::optional<std::string>& value)
	{
		const char* old = std::getenv(name.c_str());
		mSaved.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
		Apply(name, value);
	}
	static void Apply(const std::string& name, const std::optional<std::string>& value)
	{
		if (value)
			setenv(name.c_str(), value->c_str(), 1);
		else
			unsetenv(name.c_str());
	}

	std::vector<std::pair<std::string, std::optional<std::string>>> mSaved;
};
