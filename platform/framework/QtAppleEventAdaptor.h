#pragma once
// The D-Bus object behind UAppleEventService: one scriptable slot that turns the call into an Apple event.

#include <QObject>
#include <QString>
#include <QVariantMap>

class QtAppleEventAdaptor : public QObject
{
	Q_OBJECT
	Q_CLASSINFO("D-Bus Interface", "org.vantorel.AppleEvents")

public:
	using QObject::QObject;

public Q_SLOTS:
	Q_SCRIPTABLE QVariantMap Send(const QString& eventClass, const QString& eventID,
	                              const QVariantMap& parameters);
};
