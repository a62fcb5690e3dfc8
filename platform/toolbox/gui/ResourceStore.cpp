#include "platform/toolbox/gui/ResourceStore.h"

#include "platform/toolbox/MacRoman.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

namespace
{

struct Token {
	enum Kind { End, Word, Number, String, Code, Open, Close } kind = End;
	std::string text; // words; Mac Roman for strings and codes
	long long number = 0;
	int line = 0;
};

struct ParseError : std::runtime_error {
	ParseError(int line, const std::string& what) : std::runtime_error(what), line(line) {}
	int line;
};

class Lexer
{
public:
	explicit Lexer(const std::string& text) : mText(text) {}

	Token Next()
	{
		SkipSpace();
		Token t;
		t.line = mLine;
		if (mPos >= mText.size())
			return t;
		const char c = mText[mPos];
		if (c == '{' || c == '}') {
			++mPos;
			t.kind = c == '{' ? Token::Open : Token::Close;
		} else if (c == '"') {
			t.kind = Token::String;
			t.text = Quoted('"');
		} else if (c == '\'') {
			t.kind = Token::Code;
			t.text = Quoted('\'');
			if (t.text.size() != 4)
				throw ParseError(mLine, "a four-character code needs four characters");
		} else if (c == '-' || std::isdigit(UInt8(c))) {
			t.kind = Token::Number;
			size_t start = mPos++;
			while (mPos < mText.size() && std::isalnum(UInt8(mText[mPos])))
				++mPos;
			const std::string s = mText.substr(start, mPos - start);
			try {
				size_t used = 0;
				t.number = std::stoll(s, &used, 0);
				if (used != s.size())
					throw std::invalid_argument(s);
			} catch (const std::exception&) {
				throw ParseError(mLine, "not a number: " + s);
			}
		} else if (std::isalpha(UInt8(c))) {
			t.kind = Token::Word;
			size_t start = mPos;
			while (mPos < mText.size() &&
			       (std::isalnum(UInt8(mText[mPos])) || mText[mPos] == '#'))
				++mPos;
			t.text = mText.substr(start, mPos - start);
		} else {
			throw ParseError(mLine, std::string("unexpected character '") + c + "'");
		}
		return t;
	}

private:
	void SkipSpace()
	{
		while (mPos < mText.size()) {
			const char c = mText[mPos];
			if (c == '\n') {
				++mLine;
				++mPos;
			} else if (c == '#') {
				while (mPos < mText.size() && mText[mPos] != '\n')
					++mPos;
			} else if (std::isspace(UInt8(c))) {
				++mPos;
			} else {
				break;
			}
		}
	}

	// Text between quotes, converted to Mac Roman; \xHH gives the Mac Roman byte HH.
	std::string Quoted(char quote)
	{
		++mPos;
		std::string result, run;
		auto flush = [&] {
			result += MacRoman::FromUTF8(run);
			run.clear();
		};
		while (true) {
			if (mPos >= mText.size() || mText[mPos] == '\n')
				throw ParseError(mLine, "unterminated text");
			const char c = mText[mPos++];
			if (c == quote)
				break;
			if (c != '\\') {
				run += c;
				continue;
			}
			if (mPos >= mText.size())
				throw ParseError(mLine, "unterminated text");
			const char e = mText[mPos++];
			switch (e) {
			case 'n':
				run += '\n';
				break;
			case 'r':
				run += '\r';
				break;
			case 't':
				run += '\t';
				break;
			case 'x': {
				if (mPos + 2 > mText.size() || !std::isxdigit(UInt8(mText[mPos])) ||
				    !std::isxdigit(UInt8(mText[mPos + 1])))
					throw ParseError(mLine, "\\x needs two hexadecimal digits");
				flush();
				result += char(std::stoi(mText.substr(mPos, 2), nullptr, 16));
				mPos += 2;
				break;
			}
			default:
				run += e;
			}
		}
		flush();
		return result;
	}

	const std::string& mText;
	size_t mPos = 0;
	int mLine = 1;
};

class Parser
{
public:
	// inFolder: where the paths of image files start.
	Parser(const std::string& text, const QString& inFolder, ResourceStore::Contents& out)
	    : mLexer(text), mFolder(inFolder), mOut(out)
	{
		Advance();
	}

	void Parse()
	{
		while (mTok.kind != Token::End) {
			const std::string type = ExpectWord();
			const SInt16 id = SInt16(ExpectNumber(-32768, 32767));
			if (type == "PPob")
				Store(mOut.layouts, id, ParseLayout());
			else if (type == "MENU")
				Store(mOut.menus, id, ParseMenu());
			else if (type == "MBAR")
				Store(mOut.menuBars, id, ParseNumbers16());
			else if (type == "STR#")
				Store(mOut.stringLists, id, ParseStrings());
			else if (type == "ALRT")
				Store(mOut.alerts, id, ParseAlert());
			else if (type == "RidL")
				Store(mOut.controlLists, id, ParseIDs());
			else if (type == "Txtr")
				Store(mOut.textTraits, id, ParseTextTraits());
			else if (type == "PICT")
				Store(mOut.pictures, id, ParseImage());
			else if (type == "cicn")
				Store(mOut.colourIcons, id, ParseImage());
			else
				Fail("unknown resource type " + type);
		}
	}

private:
	template <class T> void Store(std::map<SInt16, T>& map, SInt16 id, T value)
	{
		if (!map.emplace(id, std::move(value)).second)
			Fail("resource " + std::to_string(id) + " is defined twice");
	}

	[[noreturn]] void Fail(const std::string& what) { throw ParseError(mTok.line, what); }

	void Advance() { mTok = mLexer.Next(); }

	bool IsWord(const char* w) const { return mTok.kind == Token::Word && mTok.text == w; }

	std::string ExpectWord()
	{
		if (mTok.kind != Token::Word)
			Fail("a word was expected");
		std::string w = mTok.text;
		Advance();
		return w;
	}

	long long ExpectNumber(long long lo, long long hi)
	{
		if (mTok.kind != Token::Number)
			Fail("a number was expected");
		const long long n = mTok.number;
		if (n < lo || n > hi)
			Fail("number out of range: " + std::to_string(n));
		Advance();
		return n;
	}

	std::string ExpectString(size_t maxLength = 255)
	{
		if (mTok.kind != Token::String)
			Fail("a quoted text was expected");
		std::string s = mTok.text;
		if (s.size() > maxLength)
			Fail("text longer than " + std::to_string(maxLength) + " bytes");
		Advance();
		return s;
	}

	static FourCharCode CodeOf(const std::string& s)
	{
		return (FourCharCode(UInt8(s[0])) << 24) | (FourCharCode(UInt8(s[1])) << 16) |
		       (FourCharCode(UInt8(s[2])) << 8) | FourCharCode(UInt8(s[3]));
	}

	// A four-character code or a 32-bit number.
	SInt32 ExpectID()
	{
		if (mTok.kind == Token::Code) {
			const SInt32 id = SInt32(CodeOf(mTok.text));
			Advance();
			return id;
		}
		return SInt32(ExpectNumber(-2147483648LL, 4294967295LL));
	}

	void ExpectOpen()
	{
		if (mTok.kind != Token::Open)
			Fail("'{' was expected");
		Advance();
	}

	bool AtClose()
	{
		if (mTok.kind == Token::End)
			Fail("'}' is missing");
		if (mTok.kind != Token::Close)
			return false;
		Advance();
		return true;
	}

	SResLayoutPane ParseLayout()
	{
		ExpectOpen();
		if (mTok.kind != Token::Code)
			Fail("a layout holds one pane");
		SResLayoutPane root = ParsePane();
		if (!AtClose())
			Fail("a layout holds one pane");
		return root;
	}

	SResLayoutPane ParsePane()
	{
		SResLayoutPane p;
		if (mTok.kind != Token::Code)
			Fail("a pane's class id was expected");
		p.classID = CodeOf(mTok.text);
		Advance();
		p.paneID = ExpectID();
		p.left = SInt32(ExpectNumber(-32768, 32767));
		p.top = SInt32(ExpectNumber(-32768, 32767));
		p.width = SInt32(ExpectNumber(0, 32767));
		p.height = SInt32(ExpectNumber(0, 32767));
		while (mTok.kind == Token::Word) {
			const std::string w = ExpectWord();
			if (w == "hidden")
				p.visible = false;
			else if (w == "disabled")
				p.enabled = false;
			else if (w == "bind") {
				p.bindLeft = ExpectNumber(0, 1);
				p.bindTop = ExpectNumber(0, 1);
				p.bindRight = ExpectNumber(0, 1);
				p.bindBottom = ExpectNumber(0, 1);
			} else if (w == "user")
				p.userCon = SInt32(ExpectNumber(-2147483648LL, 2147483647LL));
			else
				ParseField(w, p.fields);
		}
		if (mTok.kind == Token::Open) {
			Advance();
			while (!AtClose())
				p.subPanes.push_back(ParsePane());
		}
		return p;
	}

	static void Put(std::vector<UInt8>& out, UInt32 value, int bytes)
	{
		for (int i = bytes - 1; i >= 0; --i)
			out.push_back(UInt8(value >> (8 * i)));
	}

	void ParseField(const std::string& type, std::vector<UInt8>& out)
	{
		if (type == "i8")
			Put(out, UInt32(ExpectNumber(-128, 127)), 1);
		else if (type == "u8")
			Put(out, UInt32(ExpectNumber(0, 255)), 1);
		else if (type == "bool")
			Put(out, UInt32(ExpectNumber(0, 1)), 1);
		else if (type == "i16")
			Put(out, UInt32(ExpectNumber(-32768, 32767)), 2);
		else if (type == "u16")
			Put(out, UInt32(ExpectNumber(0, 65535)), 2);
		else if (type == "i32")
			Put(out, UInt32(ExpectNumber(-2147483648LL, 2147483647LL)), 4);
		else if (type == "u32")
			Put(out, UInt32(ExpectNumber(0, 4294967295LL)), 4);
		else if (type == "code") {
			if (mTok.kind != Token::Code)
				Fail("a four-character code was expected");
			Put(out, CodeOf(mTok.text), 4);
			Advance();
		} else if (type == "str") {
			const std::string s = ExpectString();
			out.push_back(UInt8(s.size()));
			out.insert(out.end(), s.begin(), s.end());
		} else if (type == "rgb") {
			for (int i = 0; i < 3; ++i)
				Put(out, UInt32(ExpectNumber(0, 65535)), 2);
		} else
			Fail("unknown field type or pane attribute " + type);
	}

	SResMenu ParseMenu()
	{
		SResMenu menu;
		menu.title = ExpectString();
		ExpectOpen();
		while (!AtClose()) {
			SResMenuItem item;
			item.text = ExpectString();
			while (mTok.kind == Token::Word) {
				const std::string w = ExpectWord();
				if (w == "cmd")
					item.command = ExpectID();
				else if (w == "submenu")
					item.submenuID = SInt16(ExpectNumber(1, 32767));
				else if (w == "disabled")
					item.enabled = false;
				else if (w == "checked")
					item.checked = true;
				else if (w == "key") {
					std::string k;
					if (mTok.kind == Token::Word || mTok.kind == Token::String)
						k = mTok.text;
					else if (mTok.kind == Token::Number)
						k = std::to_string(mTok.number);
					if (k.size() != 1)
						Fail("a key equivalent is one character");
					item.key = char(std::toupper(UInt8(k[0])));
					Advance();
				} else
					Fail("unknown menu item attribute " + w);
			}
			menu.items.push_back(item);
		}
		return menu;
	}

	std::vector<SInt16> ParseNumbers16()
	{
		std::vector<SInt16> list;
		ExpectOpen();
		while (!AtClose())
			list.push_back(SInt16(ExpectNumber(-32768, 32767)));
		return list;
	}

	std::vector<SInt32> ParseIDs()
	{
		std::vector<SInt32> list;
		ExpectOpen();
		while (!AtClose())
			list.push_back(ExpectID());
		return list;
	}

	std::vector<std::string> ParseStrings()
	{
		std::vector<std::string> list;
		ExpectOpen();
		while (!AtClose())
			list.push_back(ExpectString());
		return list;
	}

	SResAlert ParseAlert()
	{
		SResAlert alert;
		ExpectOpen();
		while (!AtClose()) {
			const std::string w = ExpectWord();
			if (w == "text")
				alert.text = ExpectString(1023);
			else if (w == "button")
				alert.buttons.push_back(ExpectString());
			else if (w == "default")
				alert.defaultItem = SInt16(ExpectNumber(0, 32767));
			else if (w == "cancel")
				alert.cancelItem = SInt16(ExpectNumber(0, 32767));
			else
				Fail("unknown alert attribute " + w);
		}
		if (alert.buttons.empty())
			alert.buttons.push_back("OK");
		if (alert.defaultItem > SInt16(alert.buttons.size()) ||
		    alert.cancelItem > SInt16(alert.buttons.size()))
			Fail("an alert's default or cancel item names no button");
		return alert;
	}

	SResTextTraits ParseTextTraits()
	{
		SResTextTraits traits;
		ExpectOpen();
		while (!AtClose()) {
			const std::string w = ExpectWord();
			if (w == "font")
				traits.fontName = ExpectString(63);
			else if (w == "size")
				traits.size = SInt16(ExpectNumber(0, 32767));
			else if (w == "style")
				traits.style = SInt16(ExpectNumber(0, 127));
			else if (w == "just")
				traits.justification = SInt16(ExpectNumber(-2, 1));
			else if (w == "color") {
				traits.color.red = UInt16(ExpectNumber(0, 65535));
				traits.color.green = UInt16(ExpectNumber(0, 65535));
				traits.color.blue = UInt16(ExpectNumber(0, 65535));
			} else
				Fail("unknown text traits attribute " + w);
		}
		return traits;
	}

	SResImage ParseImage()
	{
		const int line = mTok.line;
		const std::string path = ExpectString();
		const QString file = QDir(mFolder).filePath(QString::fromUtf8(MacRoman::ToUTF8(path)));
		QImage image(file);
		if (image.isNull())
			throw ParseError(line, "no readable image in " + file.toStdString());
		image.convertTo(QImage::Format_ARGB32);
		SResImage result;
		result.width = image.width();
		result.height = image.height();
		result.pixels.reserve(size_t(result.width) * size_t(result.height));
		for (int y = 0; y < image.height(); ++y) {
			const auto* row = reinterpret_cast<const UInt32*>(image.constScanLine(y));
			result.pixels.insert(result.pixels.end(), row, row + image.width());
		}
		return result;
	}

	Lexer mLexer;
	QString mFolder;
	ResourceStore::Contents& mOut;
	Token mTok;
};

template <class T> void Merge(std::map<SInt16, T>& into, std::map<SInt16, T>& from)
{
	for (auto& [id, value] : from)
		into.insert_or_assign(id, std::move(value));
}

// Calls inDo(type name, member) for every kind of resource.
template <class F> void ForEachKind(F&& inDo)
{
	inDo("PPob", &ResourceStore::Contents::layouts);
	inDo("MENU", &ResourceStore::Contents::menus);
	inDo("MBAR", &ResourceStore::Contents::menuBars);
	inDo("STR#", &ResourceStore::Contents::stringLists);
	inDo("ALRT", &ResourceStore::Contents::alerts);
	inDo("RidL", &ResourceStore::Contents::controlLists);
	inDo("Txtr", &ResourceStore::Contents::textTraits);
	inDo("PICT", &ResourceStore::Contents::pictures);
	inDo("cicn", &ResourceStore::Contents::colourIcons);
}

void MergeAll(ResourceStore::Contents& into, ResourceStore::Contents& from)
{
	ForEachKind([&](const char*, auto member) { Merge(into.*member, from.*member); });
}

// The first resource both define, as "TYPE id"; empty when none.
std::string FirstShared(const ResourceStore::Contents& a, const ResourceStore::Contents& b)
{
	std::string shared;
	ForEachKind([&](const char* type, auto member) {
		for (const auto& entry : b.*member)
			if (shared.empty() && (a.*member).count(entry.first))
				shared = std::string(type) + " " + std::to_string(entry.first);
	});
	return shared;
}

bool Parse(const std::string& inText, const std::string& inName, ResourceStore::Contents& outContents,
           std::string* outError)
{
	try {
		Parser(inText, QFileInfo(QString::fromStdString(inName)).path(), outContents).Parse();
	} catch (const ParseError& e) {
		if (outError)
			*outError = inName + ":" + std::to_string(e.line) + ": " + e.what();
		return false;
	}
	return true;
}

bool ReadFile(const std::string& inPath, std::string& outText, std::string* outError)
{
	QFile file(QString::fromStdString(inPath));
	if (!file.open(QIODevice::ReadOnly)) {
		if (outError)
			*outError = inPath + ": cannot be read";
		return false;
	}
	const QByteArray bytes = file.readAll();
	outText.assign(bytes.constData(), size_t(bytes.size()));
	return true;
}

template <class T> const T* Find(const std::map<SInt16, T>& map, SInt16 id)
{
	auto it = map.find(id);
	return it == map.end() ? nullptr : &it->second;
}

} // namespace

ResourceStore& ResourceStore::Get()
{
	static ResourceStore store;
	return store;
}

bool ResourceStore::LoadFile(const std::string& path, std::string* outError)
{
	std::string text;
	return ReadFile(path, text, outError) && LoadText(text, path, outError);
}

bool ResourceStore::LoadText(const std::string& text, const std::string& name, std::string* outError)
{
	Contents loaded;
	if (!Parse(text, name, loaded, outError))
		return false;
	MergeAll(mContents, loaded);
	return true;
}

bool ResourceStore::LoadFolder(const std::string& path, std::string* outError)
{
	const QDir folder(QString::fromStdString(path));
	if (!folder.exists()) {
		if (outError)
			*outError = path + ": no such folder";
		return false;
	}
	// Two files of one folder giving one number to two resources is a fault of the folder: the later
	// would silently replace the earlier.
	Contents all;
	const QStringList names = folder.entryList({QStringLiteral("*.res")}, QDir::Files, QDir::Name);
	for (const QString& name : names) {
		const std::string file = folder.filePath(name).toStdString();
		std::string text;
		Contents loaded;
		if (!ReadFile(file, text, outError) || !Parse(text, file, loaded, outError))
			return false;
		if (const std::string shared = FirstShared(all, loaded); !shared.empty()) {
			if (outError)
				*outError = file + ": " + shared + " is also defined in another file";
			return false;
		}
		MergeAll(all, loaded);
	}
	MergeAll(mContents, all);
	return true;
}

void ResourceStore::Clear()
{
	mContents = Contents();
}

const SResLayoutPane* ResourceStore::GetLayout(SInt16 id) const
{
	return Find(mContents.layouts, id);
}

const SResMenu* ResourceStore::GetMenu(SInt16 id) const
{
	return Find(mContents.menus, id);
}

const std::vector<SInt16>* ResourceStore::GetMenuBar(SInt16 id) const
{
	return Find(mContents.menuBars, id);
}

const std::vector<std::string>* ResourceStore::GetStringList(SInt16 id) const
{
	return Find(mContents.stringLists, id);
}

const SResAlert* ResourceStore::GetAlert(SInt16 id) const
{
	return Find(mContents.alerts, id);
}

const std::vector<SInt32>* ResourceStore::GetControlList(SInt16 id) const
{
	return Find(mContents.controlLists, id);
}

const SResTextTraits* ResourceStore::GetTextTraits(SInt16 id) const
{
	return Find(mContents.textTraits, id);
}

const SResImage* ResourceStore::GetPicture(SInt16 id) const
{
	return Find(mContents.pictures, id);
}

const SResImage* ResourceStore::GetColourIcon(SInt16 id) const
{
	return Find(mContents.colourIcons, id);
}

std::vector<SInt16> ResourceStore::GetLayoutIDs() const
{
	std::vector<SInt16> ids;
	for (const auto& entry : mContents.layouts)
		ids.push_back(entry.first);
	return ids;
}

void GetIndString(Str255 outString, SInt16 inListID, SInt16 inIndex)
{
	outString[0] = 0;
	const std::vector<std::string>* list = ResourceStore::Get().GetStringList(inListID);
	if (!list || inIndex < 1 || size_t(inIndex) > list->size())
		return;
	const std::string& s = (*list)[size_t(inIndex - 1)];
	outString[0] = UInt8(s.size()); // bounded to 255 when loaded
	std::memcpy(outString + 1, s.data(), s.size());
}
