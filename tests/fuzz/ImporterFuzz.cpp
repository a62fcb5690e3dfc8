// The delimited-text importer: the file is split into records and a field rule is applied to each, and rules
// are guessed from the first record. Input: eight bytes of settings (record split, start rule, end rule,
// filter, flags, blank lines, line number, argument), then the start text, a zero, the end text, a zero and
// the file.

#include "foundation/XPlatform/TParseFile.h"
#include "foundation/XPlatform/TParseRecord.h"
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace
{

// The text up to the next zero (or the end), moving past the zero.
std::string_view NextText(std::string_view& rest)
{
	const std::size_t zero = std::min(rest.find('\0'), rest.size());
	const std::string_view text = rest.substr(0, zero);
	rest.remove_prefix(std::min(zero + 1, rest.size()));
	return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	if (size < 8)
		return 0;
	tParseVariable variable;
	variable.defined = 1;
	variable.startRule = data[1] % 8;
	variable.endRule = data[2] % 9;
	variable.filterKind = data[3] % 13;
	variable.caseSensitive = data[4] & 1;
	variable.trim = (data[4] >> 1) & 1;
	variable.blankLines = SInt8(data[5]) % 4;
	variable.lineNumber = data[6] % 8;
	variable.argumentNumber = SInt8(data[7]) % 8;
	std::string_view rest(reinterpret_cast<const char*>(data + 8), size - 8);
	const std::string_view start = NextText(rest);
	const std::string_view end = NextText(rest);
	std::memcpy(variable.startString, start.data(),
	            std::min(start.size(), sizeof variable.startString - 1));
	std::memcpy(variable.endString, end.data(), std::min(end.size(), sizeof variable.endString - 1));

	TParseFile parser;
	switch (data[0] % 5) {
	case 0:
		parser.SetParameters(nullptr, nullptr, 0);
		break;
	case 1:
		parser.SetParameters(nullptr, nullptr, 1 + data[0] / 5 % 3);
		break;
	case 2:
		parser.SetParameters("BEGIN", nullptr, data[0] / 5 % 3);
		break;
	case 3:
		parser.SetParameters("BEGIN", "END", 0);
		break;
	default:
		parser.SetInetParameters();
		break;
	}
	parser.SetCaseSensitive(variable.caseSensitive != 0);
	fuzzsupport::ScratchFile file(reinterpret_cast<const uint8_t*>(rest.data()), rest.size(), false);
	if (parser.ProcessFile(file.File(), nullptr, nullptr) != 1)
		return 0;
	for (long n = 1; n <= std::min(parser.RecordCount(), 16L); n++) {
		unsigned long length = 0;
		std::unique_ptr<char[]> record(parser.GetNth(length, n));
		if (record == nullptr)
			continue;
		TParseRecord field;
		field.SetBuffer(record.get(), length);
		field.SetParameters(&variable);
		unsigned long from = 0, to = 0;
		if (field.ParseOffsets(from, to) != 0 && (from > to || to > length))
			std::abort();
		if (n == 1) {
			TList<tParseVariable> guessed(true, true);
			GuessAtVariables(&guessed, record.get(), long(length));
		}
	}
	return 0;
}
