#include "platform/toolbox/gui/Fonts.h"

#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <memory>

namespace
{
enum class Kind { Sans, Serif, Mono };

struct ClassicFont {
	SInt16 number;
	const char* name;
	Kind kind;
};

// Classic fonts that stored settings may still name or number.
const ClassicFont kClassicFonts[] = {
    {kFontIDNewYork, "New York", Kind::Serif},   {kFontIDGeneva, "Geneva", Kind::Sans},
    {kFontIDMonaco, "Monaco", Kind::Mono},       {kFontIDTimes, "Times", Kind::Serif},
    {kFontIDHelvetica, "Helvetica", Kind::Sans}, {kFontIDCourier, "Courier", Kind::Mono},
};

// Other families of that system that stored settings name; where one is not installed it draws as the
// classic font of its kind would.
const struct {
	SInt16 number;
	const char* name;
} kSystemFamilies[] = {
    {kFontIDGeneva, "Chicago"},
    {kFontIDGeneva, "Charcoal"},
    {kFontIDGeneva, "Lucida Grande"},
    {kFontIDGeneva, "Helvetica Neue"},
    {kFontIDGeneva, "Arial"},
    {kFontIDGeneva, "Verdana"},
    {kFontIDGeneva, "Trebuchet MS"},
    {kFontIDGeneva, "Gill Sans"},
    {kFontIDGeneva, "Optima"},
    {kFontIDGeneva, "Futura"},
    {kFontIDGeneva, "Osaka"},
    {kFontIDTimes, "Palatino"},
    {kFontIDTimes, "Times New Roman"},
    {kFontIDTimes, "Georgia"},
    {kFontIDTimes, "Baskerville"},
    {kFontIDCourier, "Courier New"},
    {kFontIDCourier, "Andale Mono"},
    {kFontIDCourier, "Menlo"},
    {kFontIDCourier, "Lucida Sans Typewriter"},
};

// The desktop's own family of each kind, as its font configuration chooses it.
QString Generic(Kind kind)
{
	const char* name = kind == Kind::Serif ? "serif" : kind == Kind::Mono ? "monospace" : "sans-serif";
	if (!QGuiApplication::instance())
		return QString::fromLatin1(name);
	QFont font(QString::fromLatin1(name));
	font.setStyleHint(kind == Kind::Serif  ? QFont::Serif
	                  : kind == Kind::Mono ? QFont::TypeWriter
	                                       : QFont::SansSerif);
	return QFontInfo(font).family();
}

constexpr int kFirstInstalledNumber = 1024;

class FontTable
{
public:
	FontTable()
	{
		if (QGuiApplication::instance()) {
			for (const QString& family : QFontDatabase::families()) {
				if (!QFontDatabase::isPrivateFamily(family) && Representable(family))
					mFamilies.append(family);
			}
		}
		std::sort(mFamilies.begin(), mFamilies.end(), [](const QString& a, const QString& b) {
			const int c = a.compare(b, Qt::CaseInsensitive);
			return c != 0 ? c < 0 : a < b;
		});
		for (const QString& family : mFamilies) {
			SInt16 number = NumberFromName(family);
			while (mByNumber.contains(number))
				number = SInt16(number == 32767 ? kFirstInstalledNumber : number + 1);
			mByNumber.insert(number, family);
			mByName.insert(family.toLower(), number);
		}
		mDefault = Generic(Kind::Sans);
		mSerif = Generic(Kind::Serif);
		mMono = Generic(Kind::Mono);
	}

	QString Family(SInt16 number) const
	{
		if (const ClassicFont* classic = Classic(number)) {
			if (mByName.contains(QString::fromLatin1(classic->name).toLower()))
				return Installed(QString::fromLatin1(classic->name));
			return classic->kind == Kind::Serif  ? mSerif
			       : classic->kind == Kind::Mono ? mMono
			                                     : mDefault;
		}
		return mByNumber.value(number, mDefault);
	}

	bool Knows(SInt16 number) const
	{
		return number == systemFont || number == applFont || Classic(number) ||
		       mByNumber.contains(number);
	}

	SInt16 Number(const QString& name) const
	{
		for (const ClassicFont& classic : kClassicFonts)
			if (name.compare(QLatin1String(classic.name), Qt::CaseInsensitive) == 0)
				return classic.number;
		if (mByName.contains(name.toLower()))
			return mByName.value(name.toLower());
		for (const auto& family : kSystemFamilies)
			if (name.compare(QLatin1String(family.name), Qt::CaseInsensitive) == 0)
				return family.number;
		return systemFont;
	}

	const QStringList& Families() const { return mFamilies; }

private:
	static bool Representable(const QString& family)
	{
		return QStringFromMacRoman(MacRomanFromQString(family)) == family;
	}

	// FNV-1a of the name, so that a family keeps its number whatever else is installed (unless two
	// names collide, when the later one in sorted order moves up).
	static SInt16 NumberFromName(const QString& family)
	{
		UInt32 hash = 2166136261u;
		for (const char c : family.toUtf8()) {
			hash ^= UInt8(c);
			hash *= 16777619u;
		}
		return SInt16(kFirstInstalledNumber + hash % (32768 - kFirstInstalledNumber));
	}

	static const ClassicFont* Classic(SInt16 number)
	{
		for (const ClassicFont& classic : kClassicFonts)
			if (classic.number == number)
				return &classic;
		return nullptr;
	}

	QString Installed(const QString& name) const
	{
		return mByNumber.value(mByName.value(name.toLower()));
	}

	QStringList mFamilies;
	QHash<SInt16, QString> mByNumber;
	QHash<QString, SInt16> mByName;
	QString mDefault;
	QString mSerif;
	QString mMono;
};

const FontTable& Table()
{
	// The font database needs the application object: a table made before it existed is made again.
	static std::unique_ptr<FontTable> table;
	static bool withApplication = false;
	if (!table || (!withApplication && QGuiApplication::instance())) {
		withApplication = QGuiApplication::instance() != nullptr;
		table = std::make_unique<FontTable>();
	}
	return *table;
}
} // namespace

QString QD::FamilyForFontNumber(SInt16 number)
{
	return Table().Family(number);
}

void GetFNum(ConstStr255Param name, SInt16* familyID)
{
	if (!familyID)
		return;
	*familyID = name ? Table().Number(QStringFromPascal(name)) : SInt16(systemFont);
}

void GetFontName(SInt16 familyID, StringPtr name)
{
	if (!name)
		return;
	name[0] = 0;
	if (!Table().Knows(familyID))
		return;
	const std::string bytes = MacRomanFromQString(Table().Family(familyID)).substr(0, 255);
	name[0] = UInt8(bytes.size());
	std::memcpy(name + 1, bytes.data(), bytes.size());
}

std::vector<std::string> GetFontFamilyNames()
{
	std::vector<std::string> names;
	for (const QString& family : Table().Families())
		names.push_back(MacRomanFromQString(family));
	return names;
}
