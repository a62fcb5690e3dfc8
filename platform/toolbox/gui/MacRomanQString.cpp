#include "platform/toolbox/gui/MacRomanQString.h"

#include "platform/toolbox/MacRoman.h"

QString QStringFromMacRoman(std::string_view macRoman)
{
	const std::u16string utf16 = MacRoman::ToUTF16(macRoman);
	return QString(reinterpret_cast<const QChar*>(utf16.data()), qsizetype(utf16.size()));
}

std::string MacRomanFromQString(const QString& text)
{
	return MacRoman::FromUTF16(
	    std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

QString QStringFromPascal(const unsigned char* pascal)
{
	if (!pascal)
		return QString();
	return QStringFromMacRoman(std::string_view(reinterpret_cast<const char*>(pascal + 1), pascal[0]));
}
