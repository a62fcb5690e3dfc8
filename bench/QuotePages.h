#pragma once
// The quote pages the benchmarks scan: the fixture page, its quote alone (about 1 KB), and the page grown
// to 100 KB with the menus, scripts and tables a real page carries before the quote.

#include <fstream>
#include <iterator>
#include <string>

namespace benchpages
{

inline std::string QuotePage()
{
	std::ifstream in(std::string(VANTOREL_FIXTURES) + "/pages/Yahoo/us_stock_nyse.html",
	                 std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string SmallQuotePage()
{
	std::string page = QuotePage();
	const size_t headlines = page.find("<div id=\"yfi_headlines\">");
	if (headlines != std::string::npos)
		page.replace(headlines, std::string::npos, "</body></html>\n");
	return page;
}

inline std::string LargeQuotePage(size_t size = 100 * 1024)
{
	std::string page = QuotePage();
	const std::string filler = "<div class=\"nav\"><a href=\"/markets/sector-12\">Sector 12 &raquo;</a>"
	                           "<script>var pos_12 = {w: 300, h: 250};</script></div>\n";
	std::string padding;
	while (page.size() + padding.size() < size)
		padding += filler;
	const size_t body = page.find("<body>");
	page.insert(body == std::string::npos ? 0 : body + 6, padding);
	return page;
}

} // namespace benchpages
