#pragma once
// A private home for file tests: the user's folders are moved into a scratch folder whose "work" subfolder
// is also the working folder, and the folder table starts empty.

#include "platform/toolbox/FolderIDTable.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>

class TempHomeFixture : public ::testing::Test
{
protected:
	void SetUp() override
	{
		mScratch = std::make_unique<ScratchFolder>();
		mRoot = mScratch->Path();
		mWork = mRoot + "/work";
		std::filesystem::create_directories(mWork);
		mOldCwd = std::filesystem::current_path();
		std::filesystem::current_path(mWork);
		FolderIDTable::Forget();
	}

	// Also after a SetUp that ended early.
	void TearDown() override
	{
		if (!mOldCwd.empty())
			std::filesystem::current_path(mOldCwd);
		mScratch.reset();
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

	std::unique_ptr<ScratchFolder> mScratch;
	std::string mRoot;
	std::string mWork;
	std::filesystem::path mOldCwd;
};
