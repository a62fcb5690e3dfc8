#include "platform/toolbox/gui/LaunchURL.h"

#include <QApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace
{
URLOpener sOpener;
URLFailureReporter sReporter;

// xdg-open says by its exit status whether a program took the address; Qt's own launch does not wait for
// it, so a desktop with no browser behind xdg-open would fail silently. A browser that xdg-open started
// outlives the program even when the program's quit ends xdg-open.
bool OpenThroughXdgOpen(const QUrl& inAddress, const std::string& inURL)
{
	const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
	if (tool.isEmpty() || QCoreApplication::instance() == nullptr)
		return QDesktopServices::openUrl(inAddress);
	auto* process = new QProcess(QCoreApplication::instance());
	process->setProgram(tool);
	process->setArguments({QString::fromLatin1(inAddress.toEncoded())});
	process->setStandardOutputFile(QProcess::nullDevice());
	process->setStandardErrorFile(QProcess::nullDevice());
	QObject::connect(process, &QProcess::finished, process,
	                 [process, inURL](int inCode, QProcess::ExitStatus inStatus) {
		                 process->deleteLater();
		                 if ((inStatus != QProcess::NormalExit || inCode != 0) && sReporter)
			                 sReporter(inURL);
	                 });
	process->start();
	if (!process->waitForStarted()) {
		delete process;
		return false;
	}
	return true;
}
} // namespace

namespace
{
// The address when it is one at all, else an empty one.
QUrl AddressOf(const char* url)
{
	if (!url || !*url)
		return {};
	// Addresses are ASCII; anything else makes no address.
	for (const char* c = url; *c; ++c)
		if (static_cast<unsigned char>(*c) >= 0x80)
			return {};
	const QUrl address = QUrl::fromEncoded(QByteArray(url), QUrl::StrictMode);
	return address.isValid() && !address.isRelative() ? address : QUrl();
}

bool IsAllowedScheme(const QUrl& inAddress, bool inMailAllowed)
{
	const QString scheme = inAddress.scheme().toLower();
	return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
	       (inMailAllowed && scheme == QLatin1String("mailto"));
}
} // namespace

bool IsLaunchableURL(const char* url, bool mailAllowed)
{
	const QUrl address = AddressOf(url);
	return !address.isEmpty() && IsAllowedScheme(address, mailAllowed);
}

bool LaunchURL(const char* url, bool mailAllowed)
{
	const QUrl address = AddressOf(url);
	if (address.isEmpty())
		return false;
	if (!IsAllowedScheme(address, mailAllowed)) {
		if (qobject_cast<QApplication*>(QCoreApplication::instance()))
			QApplication::beep();
		return false;
	}
	const bool opened = sOpener ? sOpener(url) : OpenThroughXdgOpen(address, url);
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
