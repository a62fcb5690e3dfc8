#pragma once
// What the quote-source tests share: pages read from the fixtures, a lookup list that keeps its rows, the
// headlines a security collected, and a fixed "now" (Monday 7 December 2026, 10:00 UTC).

#include "Quoters/ILookupList.h"
#include "model/TSecurity.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace sourcekit
{

constexpr SInt64 kNowMilliseconds = 1796637600000;

// The bytes of tests/fixtures/pages/<family>/<name>; empty when the file is missing.
inline std::string LoadPage(const std::string& family, const std::string& name)
{
	std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/" + family + "/" + name, std::ios::binary);
	std::ostringstream bytes;
	bytes << in.rdbuf();
	return bytes.str();
}

// Replaces the first occurrence of from; the test fails loudly when the page lacks it.
inline std::string Replace(std::string page, const std::string& from, const std::string& to)
{
	const auto at = page.find(from);
	if (at == std::string::npos)
		throw std::logic_error("page lacks " + from);
	return page.replace(at, from.size(), to);
}

class tRecordingList : public ILookupList
{
      public:
	void Append(tLookupEntry* entry) override { rows.push_back(*entry); }
	long Count() override { return long(rows.size()); }
	std::vector<tLookupEntry> rows;
};

inline std::vector<std::string> Headlines(TSecurity& security)
{
	std::vector<std::string> texts;
	TList<tNewsItem>* news = security.GetNewsList();
	for (long i = 1; i <= news->Count(); i++)
		texts.emplace_back(news->GetNth(i)->headline ? news->GetNth(i)->headline : "");
	return texts;
}

} // namespace sourcekit
