#pragma once
// What the fuzz targets share: the model's globals and fakes set up once per process, a fixed clock, the
// input split into a selector byte and the rest, and a scratch file for readers that take a file.

#include "foundation/TVyFile.h"
#include "model/UMerge.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/TickCount.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/ScratchFolder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace fuzzsupport
{

// Set up on first use and kept for the process: a target runs millions of inputs.
inline modeltest::ModelTestEnvironment& Environment()
{
	static StTestClock clock(1000, 1796637600000);
	static modeltest::ModelTestEnvironment environment;
	return environment;
}

// Every figure of the security through the formatters that show it, as a template merge does.
inline void ShowEveryField(TSecurity* security)
{
	static const char* const kEveryField =
	    "<<name>><<symbol>><<trade_price>><<trade_change>><<trade_change_percent>><<trade_change_color>>"
	    "<<trade_volume>><<trade_date>><<trade_time>><<update_date>><<update_time>><<trade_bid>>"
	    "<<trade_ask>><<yesterday_close>><<day_open>><<day_high>><<day_low>><<day_volume>><<year_high>>"
	    "<<year_low>><<earnings_per_share>><<dividend_per_share>><<price_earnings_ratio>><<exchange>>"
	    "<<quote_source>><<from_name>><<from_symbol>><<to_name>><<to_symbol>>";
	delete[] UMerge::MergeText(security, kEveryField);
}

// The input's bytes after the selector, in a buffer of exactly their length (never null), as the request
// layer hands a page over: a read past the end is caught.
class Bytes
{
public:
	Bytes(const uint8_t* data, std::size_t size) : mSize(size), mBytes(new char[size])
	{
		std::copy(data, data + size, mBytes.get());
	}
	char* Data() { return mBytes.get(); }
	long Length() const { return long(mSize); }

private:
	std::size_t mSize;
	std::unique_ptr<char[]> mBytes;
};

// A file in a private folder of the process holding the bytes; opened for reading unless the reader opens
// it itself.
class ScratchFile
{
public:
	ScratchFile(const uint8_t* data, std::size_t size, bool open = true)
	{
		// The user's folders move inside it before the first file is named: the file layer keeps its
		// table of folders in the preferences folder.
		static const ScratchFolder folder;
		const std::string input = folder.Path("input");
		std::ofstream(input, std::ios::binary | std::ios::trunc)
		    .write(reinterpret_cast<const char*>(data), std::streamsize(size));
		FSSpec spec;
		if (FSPathMakeFSSpec(input, &spec) != noErr)
			std::abort();
		mFile = std::make_unique<TVyFile>(&spec);
		mFile->SetMode(kFileModeRead);
		if (open && mFile->Open() != 0)
			std::abort();
		mOpen = open;
	}
	~ScratchFile()
	{
		if (mOpen)
			mFile->Close();
	}
	TVyFile* File() { return mFile.get(); }

private:
	std::unique_ptr<TVyFile> mFile;
	bool mOpen = false;
};

} // namespace fuzzsupport
