#include "platform/framework/UAppleEventService.h"

#include "foundation/UNumbers.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtAppleEventAdaptor.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QStringList>
#include <QTimer>
#include <cstring>

namespace
{

constexpr OSErr errAEEventNotHandled = -1708;

UAppleEventService::Handler sHandler;
QtAppleEventAdaptor* sAdaptor = nullptr;

// Four characters, as Latin-1 bytes; anything else is no code.
bool CodeOf(const QString& text, FourCharCode* outCode)
{
	const QByteArray bytes = text.toLatin1();
	if (text.size() != 4 || bytes.size() != 4)
		return false;
	*outCode = 0;
	for (char c : bytes)
		*outCode = (*outCode << 8) | UInt8(c);
	return true;
}

QString TextOf(FourCharCode inCode)
{
	char chars[4];
	for (int i = 0; i < 4; ++i)
		chars[i] = char((inCode >> (24 - 8 * i)) & 0xFF);
	return QString::fromLatin1(chars, 4);
}

bool PutValue(AppleEvent& event, AEKeyword key, const QVariant& value)
{
	switch (value.metaType().id()) {
	case QMetaType::QString: {
		const std::string text = MacRomanFromQString(value.toString());
		return AEPutParamPtr(&event, key, typeChar, text.data(), Size(text.size())) == noErr;
	}
	case QMetaType::Double:
	case QMetaType::Float: {
		const float number = value.toFloat();
		return AEPutParamPtr(&event, key, typeIEEE32BitFloatingPoint, &number, sizeof(number)) ==
		       noErr;
	}
	case QMetaType::Int:
	case QMetaType::UInt:
	case QMetaType::Short:
	case QMetaType::UShort:
	case QMetaType::LongLong:
	case QMetaType::ULongLong:
	case QMetaType::UChar: {
		const SInt32 number = SInt32(value.toLongLong());
		return AEPutParamPtr(&event, key, typeSInt32, &number, sizeof(number)) == noErr;
	}
	case QMetaType::QStringList: {
		std::vector<std::string> items;
		for (const QString& item : value.toStringList())
			items.push_back(item.toStdString());
		UAppleEventService::PutTextList(event, key, items);
		return true;
	}
	default:
		return false;
	}
}

QVariant ValueOf(DescType type, const std::string& data)
{
	auto number = [&](auto value) {
		if (data.size() == sizeof(value))
			std::memcpy(&value, data.data(), sizeof(value));
		return value;
	};
	switch (type) {
	case typeChar:
		return QStringFromMacRoman(data);
	case typeSInt16:
		return QVariant::fromValue(number(SInt16(0)));
	case typeSInt32:
		return QVariant::fromValue(number(SInt32(0)));
	case typeIEEE32BitFloatingPoint:
		return QVariant::fromValue(UNumbers::ShortestDouble(number(float(0))));
	default:
		return QVariant();
	}
}

QVariantMap ErrorReply(SInt16 inError, const char* inText)
{
	return {{"errn", QVariant::fromValue(inError)}, {"errs", QString::fromLatin1(inText)}};
}

} // namespace

QVariantMap QtAppleEventAdaptor::Send(const QString& eventClass, const QString& eventID,
                                      const QVariantMap& parameters)
{
	FourCharCode theClass = 0, theID = 0;
	if (!CodeOf(eventClass, &theClass) || !CodeOf(eventID, &theID))
		return ErrorReply(errAEEventNotHandled, "Event class and id are four characters each.");
	AppleEvent event;
	event.descriptorType = typeAppleEvent;
	for (auto it = parameters.begin(); it != parameters.end(); ++it) {
		AEKeyword key = 0;
		if (!CodeOf(it.key(), &key) || !PutValue(event, key, it.value()))
			return ErrorReply(errAEWrongDataType, "A parameter's key or value cannot be used.");
	}
	QVariantMap answer;
	const AppleEvent reply = UAppleEventService::Deliver(theClass, theID, event);
	for (const auto& [key, param] : reply.parameters) {
		const QVariant value = ValueOf(param.first, param.second);
		if (value.isValid())
			answer.insert(TextOf(key), value);
	}
	return answer;
}

bool UAppleEventService::Start(Handler handler, std::string* outReason)
{
	Stop();
	sHandler = std::move(handler);
	QDBusConnection bus = QDBusConnection::sessionBus();
	auto fail = [&](const QString& reason) {
		if (outReason)
			*outReason = reason.toStdString();
		return false;
	};
	if (!bus.isConnected())
		return fail(bus.lastError().message().isEmpty() ? QStringLiteral("no session bus")
		                                                : bus.lastError().message());
	sAdaptor = new QtAppleEventAdaptor;
	if (!bus.registerObject(kObjectPath, sAdaptor, QDBusConnection::ExportScriptableSlots)) {
		Unregister();
		return fail(QStringLiteral("the object path is taken"));
	}
	if (!bus.registerService(kServiceName)) {
		const QString reason = bus.lastError().message();
		Unregister();
		return fail(reason.isEmpty() ? QStringLiteral("the service name is taken") : reason);
	}
	return true;
}

void UAppleEventService::Stop()
{
	Unregister();
	sHandler = nullptr;
}

void UAppleEventService::Unregister()
{
	if (!sAdaptor)
		return;
	QDBusConnection bus = QDBusConnection::sessionBus();
	bus.unregisterService(kServiceName);
	bus.unregisterObject(kObjectPath);
	delete sAdaptor;
	sAdaptor = nullptr;
}

bool UAppleEventService::IsRunning()
{
	return sAdaptor != nullptr;
}

AppleEvent UAppleEventService::Deliver(AEEventClass eventClass, AEEventID eventID, const AppleEvent& event)
{
	AppleEvent reply;
	reply.descriptorType = typeAppleEvent;
	const SInt16 notHandled = errAEEventNotHandled;
	if (!sHandler || !UDispatch::Run([&] { sHandler(eventClass, eventID, event, reply); }))
		AEPutParamPtr(&reply, keyErrorNumber, typeSInt16, &notHandled, sizeof(notHandled));
	return reply;
}

void UAppleEventService::AfterReply(std::function<void()> inAction)
{
	// A call from the bus is answered when its slot returns: a zero timer runs after that.
	QTimer::singleShot(0, QCoreApplication::instance(), [action = std::move(inAction)] {
		UDispatch::Run(action);
		LWindow::AfterDispatch();
	});
}

bool UAppleEventService::OpenDocumentsIn(long inPid, const std::vector<std::string>& inPaths,
                                         std::string* outRefused)
{
	QDBusConnection bus = QDBusConnection::sessionBus();
	if (!bus.isConnected() || !bus.interface())
		return false;
	// Its unique name, so that the call reaches the process that was checked even if the service
	// changes hands in between.
	const QDBusReply<QString> owner = bus.interface()->serviceOwner(kServiceName);
	if (!owner.isValid())
		return false;
	const QDBusReply<uint> pid = bus.interface()->servicePid(owner.value());
	if (!pid.isValid() || long(pid.value()) != inPid)
		return false;
	QStringList paths;
	for (const std::string& path : inPaths)
		paths.push_back(QString::fromStdString(path));
	QDBusMessage call = QDBusMessage::createMethodCall(owner.value(), kObjectPath, kInterfaceName,
	                                                   QStringLiteral("Send"));
	call << QStringLiteral("aevt") << QStringLiteral("odoc") << QVariantMap{{"----", paths}};
	constexpr int kAnswerMilliseconds = 10000;
	const QDBusMessage answer = bus.call(call, QDBus::Block, kAnswerMilliseconds);
	if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty())
		return false;
	const QVariantMap reply = qdbus_cast<QVariantMap>(answer.arguments().first());
	*outRefused = reply.value(QStringLiteral("errs")).toString().toStdString();
	return true;
}

void UAppleEventService::PutTextList(AppleEvent& event, AEKeyword key, const std::vector<std::string>& items)
{
	std::string data;
	for (const std::string& item : items) {
		const UInt32 length = UInt32(item.size());
		data.append(reinterpret_cast<const char*>(&length), sizeof(length));
		data += item;
	}
	AEPutParamPtr(&event, key, kTypeTextList, data.data(), Size(data.size()));
}

bool UAppleEventService::GetTextList(const AppleEvent& event, AEKeyword key,
                                     std::vector<std::string>* outItems)
{
	const auto found = event.parameters.find(key);
	if (found == event.parameters.end() || found->second.first != kTypeTextList)
		return false;
	const std::string& data = found->second.second;
	outItems->clear();
	for (std::size_t at = 0; at < data.size();) {
		UInt32 length = 0;
		if (data.size() - at < sizeof(length))
			return false;
		std::memcpy(&length, data.data() + at, sizeof(length));
		at += sizeof(length);
		if (data.size() - at < length)
			return false;
		outItems->push_back(data.substr(at, length));
		at += length;
	}
	return true;
}
