#pragma once
// A private home for file tests: HOME and the XDG folders point into a fresh temporary folder, which is also
// the working folder, and the folder table starts empty.

#include "platform/toolbox/FolderIDTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

class TempHomeFixture : public ::testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/vantorel-test-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		mRoot = pattern;
		mWork = mRoot + "/work";
		std::filesystem::create_directories(mWork);
		std::filesystem::create_directories(mRoot + "/runtime");
		for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME", "TMPDIR"}) {
			const char* value = std::getenv(name);
			mSaved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
		}
		setenv("HOME", (mRoot + "/home").c_str(), 1);
		setenv("XDG_CONFIG_HOME", (mRoot + "/config").c_str(), 1);
		setenv("XDG_RUNTIME_DIR", (mRoot + "/runtime").c_str(), 1);
		setenv("XDG_DATA_HOME", (mRoot + "/data").c_str(), 1);
		setenv("TMPDIR", mRoot.c_str(), 1);
		mOldCwd = std::filesystem::current_path();
		std::filesystem::current_path(mWork);
		FolderIDTable::Forget();
	}

	void TearDown() override
	{
		std::filesystem::current_path(mOldCwd);
		for (const auto& [name, value] : mSaved) {
			if (value)
				setenv(name.c_str(), value->c_str(), 1);
			else
				unsetenv(name.c_str());
		}
		std::error_code ignored;
		std::filesystem::remove_all(mRoot, ignored);
		FolderIDTable::Forget();
	}

	static void WriteText(const std::string& path, const std::string& text)
	{
		std::ofstream(path, std::ios::binary) << text;
	}

	static std::string ReadText(const std::string& path)
	{
		std::ifstream in(path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}

	std::string mRoot;
	std::string mWork;
	std::filesystem::path mOldCwd;
	std::vector<std::pair<std::string, std::optional<std::string>>> mSaved;
};
