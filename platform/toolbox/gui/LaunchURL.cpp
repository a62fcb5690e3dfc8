#include "platform/toolbox/gui/LaunchURL.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

namespace
{
URLOpener sOpener;
URLFailureReporter sReporter;
} // namespace

bool LaunchURL(const char* url, bool mailAllowed)
{
	if (!url || !*url)
		return false;
	// Addresses are ASCII; anything else makes no address.
	for (const char* c = url; *c; ++c)
		if (static_cast<unsigned char>(*c) >= 0x80)
			return false;
	const QUrl address = QUrl::fromEncoded(QByteArray(url), QUrl::StrictMode);
	if (!address.isValid() || address.isRelative())
		return false;
	const QString scheme = address.scheme().toLower();
	if (scheme != QLatin1String("http") && scheme != QLatin1String("https") &&
	    !(mailAllowed && scheme == QLatin1String("mailto"))) {
		if (qobject_cast<QApplication*>(QCoreApplication::instance()))
			QApplication::beep();
		return false;
	}
	const bool opened = sOpener ? sOpener(url) : QDesktopServices::openUrl(address);
	if (!opened && sReporter)
		sReporter(url);
	return opened;
}

URLOpener SetURLOpener(URLOpener opener)
{
	URLOpener previous = std::move(sOpener);
	sOpener = std::move(opener);
	return previous;
}

URLFailureReporter SetURLFailureReporter(URLFailureReporter reporter)
{
	URLFailureReporter previous = std::move(sReporter);
	sReporter = std::move(reporter);
	return previous;
}
