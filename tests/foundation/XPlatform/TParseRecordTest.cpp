#include "foundation/XPlatform/TParseRecord.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{

struct FieldCase {
	const char* what;
	const char* text;
	SInt32 blankLines;
	SInt32 lineNumber;
	const char* start;
	SInt32 startRule;
	const char* end;
	SInt32 endRule;
	SInt32 argument;
	SInt32 filter;
	bool trim;
	bool caseSensitive;
	const char* expected; // null: not found
};

std::string Find(const FieldCase& c)
{
	tParseVariable variable;
	variable.defined = 1;
	variable.blankLines = c.blankLines;
	variable.lineNumber = c.lineNumber;
	std::strcpy(variable.startString, c.start);
	variable.startRule = c.startRule;
	std::strcpy(variable.endString, c.end);
	variable.endRule = c.endRule;
	variable.argumentNumber = c.argument;
	variable.filterKind = c.filter;
	variable.trim = c.trim;
	variable.caseSensitive = c.caseSensitive;
	std::string text = c.text;
	TParseRecord record;
	record.SetBuffer(text.data(), text.size());
	record.SetParameters(&variable);
	unsigned long start = 99, end = 99;
	if (!record.ParseOffsets(start, end)) {
		EXPECT_EQ(start, 0u);
		EXPECT_EQ(end, 0u);
		return "<none>";
	}
	EXPECT_LE(start, end);
	EXPECT_LE(end, text.size());
	return text.substr(start, end - start);
}

const char kCard[] =
    "Name: Joe Smith\rPhone: (555) 123-4567\r\rEmail: joe@example.com\rNotes:\rline one\rline two\r";

const FieldCase kStartAndEndRules[] = {
    {"after the start string to the line end", kCard, 0, 0, "Name:", 0, "", 5, 0, 0, true, false,
     "Joe Smith"},
    {"untrimmed keeps the space", kCard, 0, 0, "Name:", 0, "", 5, 0, 0, false, false, " Joe Smith"},
    {"start string ignores case", kCard, 0, 0, "name:", 0, "", 5, 0, 0, true, false, "Joe Smith"},
    {"unless asked not to", kCard, 0, 0, "name:", 0, "", 5, 0, 0, true, true, nullptr},
    {"next line", kCard, 0, 0, "Notes:", 1, "", 5, 0, 0, false, false, "line one"},
    {"the string's line", kCard, 0, 0, "Smith", 3, "", 5, 0, 0, false, false, "Name: Joe Smith"},
    {"previous line", kCard, 0, 0, "Phone", 2, "", 5, 0, 0, false, false, "Name: Joe Smith"},
    {"at the string", kCard, 0, 0, "joe@", 5, "", 5, 0, 0, false, false, "joe@example.com"},
    {"after the blank line", kCard, 0, 0, "Phone", 6, "", 5, 0, 0, false, false, "Email: joe@example.com"},
    {"before the end string", kCard, 0, 0, "Name: ", 0, " Smith", 0, 0, 0, false, false, "Joe"},
    {"through the end string", kCard, 0, 0, "Name: ", 0, "Smith", 1, 0, 0, false, false, "Joe Smith"},
    {"to the line end before the end string", kCard, 0, 0, "Notes:", 0, "two", 2, 0, 0, true, false,
     "line one"},
    {"to the end of the line after", kCard, 0, 0, "Notes:", 1, "line", 3, 0, 0, true, false,
     "line one\rline two"},
    {"to the end of the end string's line", kCard, 0, 0, "Name:", 0, "Phone", 4, 0, 0, true, false,
     "Joe Smith\rPhone: (555) 123-4567"},
    {"to the first blank line", kCard, 0, 0, "Name:", 0, "", 6, 0, 0, true, false,
     "Joe Smith\rPhone: (555) 123-4567"},
    {"to the end of the buffer", "a: tail\rrest", 0, 0, "a:", 0, "", 7, 0, 0, true, false, "tail\rrest"},
    {"an end string that is missing", kCard, 0, 0, "Name:", 0, "zzz", 0, 0, 0, true, false, nullptr},
    {"a start string that is missing", kCard, 0, 0, "Fax:", 0, "", 5, 0, 0, true, false, nullptr},
    {"first alternative end that works", kCard, 0, 0, "Name: ", 0, "1zzz|1 Smith|6", 8, 0, 0, false, false,
     "Joe"},
    {"alternatives falling back to a line end", kCard, 0, 0, "Name: ", 0, "1zzz|6", 8, 0, 0, false, false,
     "Joe Smith"},
    {"an alternative past the last rule names none", kCard, 0, 0, "Name: ", 0, "9 Smith|6", 8, 0, 0, false,
     false, "Joe Smith"},
    {"so does one too long for any integer", kCard, 0, 0, "Name: ", 0, "18446744073709551617 Smith|6", 8, 0,
     0, false, false, "Joe Smith"},
    {"and one without a number", kCard, 0, 0, "Name: ", 0, " Smith|0 Smith", 8, 0, 0, false, false, nullptr},
};

const FieldCase kPlaces[] = {
    {"after the first blank line", "a\r\n\r\nb c\r\n", 1, 0, "", 0, "", 5, 0, 0, false, false, "b c"},
    {"a negative count also counts blank lines", "a\r\rb\r\rc", -2, 0, "", 0, "", 7, 0, 0, false, false, "c"},
    {"more blank lines than there are", "a\r\rb", 2, 0, "", 0, "", 7, 0, 0, false, false, nullptr},
    {"line three", "one\ntwo\r\nthree\rfour", 0, 3, "", 0, "", 5, 0, 0, false, false, "three"},
    {"a line past the end", "one\ntwo", 0, 5, "", 0, "", 5, 0, 0, false, false, nullptr},
    {"second word", "Price: 12.50 USD today\r", 0, 0, "Price:", 0, "", 5, 2, 0, false, false, "USD"},
    {"last word", "Price: 12.50 USD today\r", 0, 0, "Price:", 0, "", 5, -1, 0, false, false, "today"},
    {"a word past the end", "Price: 12.50\r", 0, 0, "Price:", 0, "", 5, 3, 0, false, false, nullptr},
    {"the next occurrence when the first gives nothing", "Tel: none\rTel: 555-1234\r", 0, 0, "Tel:", 0, "", 5,
     0, 10, false, false, "555"},
};

const FieldCase kFilters[] = {
    {"e-mail address", "Contact: <joe.b@example.com> now", 0, 0, "Contact:", 0, "", 7, 0, 1, false, false,
     "joe.b@example.com"},
    {"telephone number", "Call (555) 123-4567 today", 0, 0, "Call", 0, "", 7, 0, 2, false, false,
     "(555) 123-4567"},
    {"too few digits for a telephone", "Call 12-34 today", 0, 0, "Call", 0, "", 7, 0, 2, false, false,
     nullptr},
    {"date", "Due on 12/25/2006 at noon", 0, 0, "Due", 0, "", 7, 0, 3, false, false, "12/25/2006"},
    {"time", "Due at 4:05pm sharp", 0, 0, "Due", 0, "", 7, 0, 4, false, false, "4:05"},
    {"amount with its dollar sign", "Total: $1,234.50 due", 0, 0, "Total", 0, "", 7, 0, 5, false, false,
     "$1,234.50"},
    {"amount without it", "Total: $1,234.50 due", 0, 0, "Total", 0, "", 7, 0, 6, false, false, "1,234.50"},
    {"letters", "id: 42abcDE9", 0, 0, "id:", 0, "", 7, 0, 7, false, false, "abcDE"},
    {"capitals", "id: 42abcDE9", 0, 0, "id:", 0, "", 7, 0, 8, false, false, "DE"},
    {"small letters", "id: 42abcDE9", 0, 0, "id:", 0, "", 7, 0, 9, false, false, "abc"},
    {"digits", "id: x42.5y", 0, 0, "id:", 0, "", 7, 0, 10, false, false, "42"},
    {"number", "id: x42.5.1y", 0, 0, "id:", 0, "", 7, 0, 11, false, false, "42.5"},
    {"web address", "see: <a href=\"http://example.com/x.html\">.", 0, 0, "see:", 0, "", 7, 0, 12, false,
     false, "http://example.com/x.html"},
    {"web address from www", "at www.example.com.", 0, 0, "at", 0, "", 7, 0, 12, false, false,
     "www.example.com"},
};

void RunTable(const FieldCase* cases, std::size_t count)
{
	for (std::size_t i = 0; i < count; i++) {
		const FieldCase& c = cases[i];
		EXPECT_EQ(Find(c), c.expected ? c.expected : "<none>") << c.what;
	}
}

TEST(TParseRecordTest, StartAndEndRules)
{
	RunTable(kStartAndEndRules, std::size(kStartAndEndRules));
}

TEST(TParseRecordTest, BlankLinesLineNumbersWordsAndRetries)
{
	RunTable(kPlaces, std::size(kPlaces));
}

TEST(TParseRecordTest, Filters)
{
	RunTable(kFilters, std::size(kFilters));
}

TEST(TParseRecordTest, GuessingVariablesFromASample)
{
	char sample[] = "Name: Joe\nEmail = joe@example.com\r\nname: again\n"
	                "See:also\n   Indented: yes\nColumn   one: no\n- item: no\nPlain line\n";
	TList<tParseVariable> list(true, true);
	EXPECT_EQ(GuessAtVariables(&list, sample, long(std::strlen(sample))), 3);
	ASSERT_EQ(list.Count(), 3);
	tParseVariable* name = list.GetNth(1);
	EXPECT_STREQ(name->name, "Name");
	EXPECT_STREQ(name->startString, "Name:");
	EXPECT_EQ(name->endRule, kEndFirstLineEnd);
	EXPECT_EQ(name->filterKind, kFilterNone);
	EXPECT_EQ(name->trim, 1);
	tParseVariable* email = list.GetNth(2);
	EXPECT_STREQ(email->name, "Email");
	EXPECT_STREQ(email->startString, "Email =");
	EXPECT_EQ(email->filterKind, kFilterEmail);
	EXPECT_STREQ(list.GetNth(3)->name, "Indented");

	// A guessed variable finds its field again.
	std::string record = "Email = joe@example.com (home)\r";
	TParseRecord parser;
	parser.SetBuffer(record.data(), record.size());
	parser.SetParameters(email);
	unsigned long start = 0, end = 0;
	ASSERT_EQ(parser.ParseOffsets(start, end), 1);
	EXPECT_EQ(record.substr(start, end - start), "joe@example.com");

	// A list that keeps the caller's pointers gets items of its own.
	TList<tParseVariable> shared(false, true);
	EXPECT_EQ(GuessAtVariables(&shared, sample, long(std::strlen(sample))), 3);
	EXPECT_STREQ(shared.GetNth(2)->name, "Email");
}

} // namespace
