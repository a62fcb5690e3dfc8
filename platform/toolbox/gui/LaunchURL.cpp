#include "platform/toolbox/gui/LaunchURL.h"

#include <QDesktopServices>
#include <QUrl>

namespace
{
URLOpener sOpener;
}

void LaunchURL(const char* url)
{
	if (!url || !*url)
		return;
	// Addresses are ASCII; anything else makes no address.
	for (const char* c = url; *c; ++c)
		if (static_cast<unsigned char>(*c) >= 0x80)
			return;
	const QUrl address = QUrl::fromEncoded(QByteArray(url), QUrl::StrictMode);
	if (!address.isValid() || address.isRelative())
		return;
	if (sOpener)
		sOpener(url);
	else
		QDesktopServices::openUrl(address);
}

URLOpener SetURLOpener(URLOpener opener)
{
	URLOpener previous = std::move(sOpener);
	sOpener = std::move(opener);
	return previous;
}
