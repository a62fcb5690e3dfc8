#pragma once
// Mac Roman text across the Qt boundary.

#include <QString>
#include <string>
#include <string_view>

QString QStringFromMacRoman(std::string_view macRoman);
// Characters that Mac Roman cannot hold become '?'.
std::string MacRomanFromQString(const QString& text);
// A length-prefixed string, cut to 255 bytes.
QString QStringFromPascal(const unsigned char* pascal);
