#pragma once
// Scripts on a private session bus: a bus of the test's own, as under dbus-run-session, and gdbus calls
// to the program, answered while its event loop runs.

#include "platform/framework/UAppleEventService.h"
#include "tests/support/ScopedEnvironment.h"

#include <QProcess>
#include <QString>
#include <functional>
#include <optional>
#include <string>

// Its socket is made in the given folder rather than the shared temporary one.
class StPrivateSessionBus
{
public:
	explicit StPrivateSessionBus(const std::string& inFolder)
	{
		mDaemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1",
		                              "--address=unix:dir=" + QString::fromStdString(inFolder)});
		if (!mDaemon.waitForStarted(5000) || !mDaemon.waitForReadyRead(5000))
			return;
		mAddress = mDaemon.readLine().trimmed().toStdString();
		mEnvironment.emplace("DBUS_SESSION_BUS_ADDRESS", mAddress);
	}
	~StPrivateSessionBus()
	{
		mDaemon.kill();
		mDaemon.waitForFinished(5000);
	}
	bool IsUp() const { return !mAddress.empty(); }

private:
	QProcess mDaemon;
	std::string mAddress;
	std::optional<ScopedEnvironment> mEnvironment;
};

namespace SessionBus
{

// Starts a script's call; inParameters in gdbus's notation, for example "{'----': <'IBM'>}".
inline void StartScript(QProcess& ioGdbus, const QString& inClass, const QString& inID,
                        const QString& inParameters)
{
	ioGdbus.start("gdbus",
	              {"call", "--session", "--dest", UAppleEventService::kServiceName, "--object-path",
	               UAppleEventService::kObjectPath, "--method",
	               QString(UAppleEventService::kInterfaceName) + ".Send", inClass, inID, inParameters});
}

// What the script printed: its answer, or its error.
inline QString Output(QProcess& ioGdbus)
{
	return QString::fromUtf8(ioGdbus.readAllStandardOutput()).trimmed() +
	       QString::fromUtf8(ioGdbus.readAllStandardError()).trimmed();
}

// A whole call, the event loop running (through inRunUntil) until it is answered.
inline QString Script(const std::function<bool(const std::function<bool()>&)>& inRunUntil,
                      const QString& inClass, const QString& inID, const QString& inParameters)
{
	QProcess gdbus;
	StartScript(gdbus, inClass, inID, inParameters);
	inRunUntil([&] { return gdbus.state() == QProcess::NotRunning || gdbus.waitForFinished(1); });
	return Output(gdbus);
}

} // namespace SessionBus
