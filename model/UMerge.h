#pragma once
// Fills a text template with a security's current values. A field is a tag name between "<<" and ">>",
// matched without regard to case; a tag that is unknown, belongs to another kind of security or has no
// value stays in the text as it is.

#include <functional>

class TSecurity;
class TVyDate;

class UMerge
{
public:
	// Every formatter writes into a buffer of at least this many bytes.
	static constexpr int kValueSize = 256;

	// Gives the name of the quote source with a signature, copied into a buffer of length bytes. The
	// quoter manager installs it; until then every source reads "None".
	using QuoterNameHook = std::function<void(unsigned long signature, char* name, int length)>;
	// Returns the hook it replaces; an empty hook restores the default.
	static QuoterNameHook SetQuoterNameHook(QuoterNameHook hook);

	// A new string that the caller deletes with delete[], or null for an empty template. With
	// encodeValues each merged value is percent-encoded (as UTF-8), for a template that makes a web
	// address; the template's own text is kept as it is. Throws kSecurityMemoryError (1000) when memory
	// runs out.
	static char* MergeText(TSecurity* security, const char* text, bool encodeValues = false);
	// The plug-in settings' trade link merged for the security, values encoded; null when there is none.
	static char* MergeTradeURL(TSecurity* security);
	// Merges the security's own template into its output file when its switch is on. The file is replaced
	// only once the whole text is written, so a failure leaves the former file as it was. Returns 0 or
	// the file layer's error code (0 also when there is nothing to write); an open document's file is
	// not written and gives kVyFileOpenForWriting.
	static short OutputToFile(TSecurity* security);

	static void SetQuote(char* s, float value, bool fractions);
	static void SetChange(char* s, float previous, float current, bool fractions);
	static void SetChangePercent(char* s, float previous, float current);
	static void SetChangeColour(char* s, float previous, float current);
	static void SetULong(char* s, unsigned long value);
	static void SetFloat(char* s, float value, int decimals);
	static void SetDate(char* s, const TVyDate* date);
	static void SetTime(char* s, const TVyDate* date);
	static const char* GetNAString();
};
