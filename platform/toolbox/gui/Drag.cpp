#include "platform/toolbox/gui/Drag.h"

#include "platform/toolbox/Files.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/QtDrag.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace
{
const char kMimePrefix[] = "application/x-vantorel-";

struct Flavor {
	FlavorType type = 0;
	FlavorFlags flags = 0;
	QByteArray data;
	bool hasData = false;
};

struct Item {
	ItemReference ref = 0;
	std::vector<Flavor> flavors;
	Rect bounds{};
};
} // namespace

struct OpaqueDragRef {
	UInt64 serial = 0;
	std::vector<Item> items;
	DragSendDataProcPtr sendProc = nullptr;
	void* sendRefCon = nullptr;
	DragAttributes attributes = 0;
	SInt16 modifiers = 0, downModifiers = 0, upModifiers = 0;
	bool upKnown = false;
	Point mouse{}, origin{};
	const void* senderWindow = nullptr;
	bool sending = false; // inside the send-data procedure
	// The drag hilite, in port pixels, so that it is found again whatever the port's origin then.
	GrafPtr hilitePort = nullptr;
	Rect hilitePixels{};
	bool hiliteShown = false;

	Item* FindItem(ItemReference ref)
	{
		for (Item& item : items)
			if (item.ref == ref)
				return &item;
		return nullptr;
	}
	Flavor* FindFlavor(ItemReference ref, FlavorType type)
	{
		Item* item = FindItem(ref);
		if (!item)
			return nullptr;
		for (Flavor& flavor : item->flavors)
			if (flavor.type == type)
				return &flavor;
		return nullptr;
	}
};

namespace
{
std::set<DragReference>& LiveDrags()
{
	static std::set<DragReference> live;
	return live;
}

bool IsLive(DragReference drag)
{
	return drag && LiveDrags().count(drag) > 0;
}

DragTracker& Tracker()
{
	static DragTracker tracker;
	return tracker;
}

// The flavour's data, asking the sender for promised data first.
Flavor* FetchFlavor(DragReference drag, ItemReference ref, FlavorType type, OSErr& outErr)
{
	outErr = noErr;
	Flavor* flavor = drag->FindFlavor(ref, type);
	if (!flavor) {
		outErr = drag->FindItem(ref) ? badDragFlavorErr : badDragItemErr;
		return nullptr;
	}
	if (!flavor->hasData && drag->sendProc && !drag->sending) {
		drag->sending = true;
		const OSErr err = drag->sendProc(type, drag->sendRefCon, ref, drag);
		drag->sending = false;
		if (err != noErr) {
			outErr = err;
			return nullptr;
		}
		flavor = drag->FindFlavor(ref, type); // the procedure may have added flavours
	}
	if (!flavor || !flavor->hasData) {
		outErr = cantGetFlavorErr;
		return nullptr;
	}
	return flavor;
}

// Offers a drag to Qt. Holds the drag by identity and serial, so that data asked for after the drag is gone
// yields nothing instead of touching freed memory.
class DragMimeData : public QMimeData
{
public:
	explicit DragMimeData(DragReference inDrag) : mDrag(inDrag), mSerial(inDrag->serial) {}

	DragReference Drag() const { return IsLive(mDrag) && mDrag->serial == mSerial ? mDrag : nullptr; }

	QStringList formats() const override
	{
		QStringList result;
		DragReference drag = Drag();
		if (!drag || drag->items.empty())
			return result;
		for (const Flavor& flavor : drag->items.front().flavors) {
			if (flavor.flags & flavorSenderOnly)
				continue;
			result << QtDrag::MimeTypeForFlavor(flavor.type);
			if (flavor.type == kDragFlavorTypeText)
				result << QStringLiteral("text/plain");
		}
		return result;
	}

	bool hasFormat(const QString& inType) const override { return formats().contains(inType); }

protected:
	QVariant retrieveData(const QString& inType, QMetaType) const override
	{
		DragReference drag = Drag();
		if (!drag || drag->items.empty() || !formats().contains(inType))
			return {};
		const bool plain = inType == QStringLiteral("text/plain");
		const FlavorType type =
		    plain ? FlavorType(kDragFlavorTypeText) : QtDrag::FlavorForMimeType(inType);
		OSErr err;
		const Flavor* flavor = FetchFlavor(drag, drag->items.front().ref, type, err);
		if (!flavor)
			return {};
		if (plain)
			return QStringFromMacRoman(
			    std::string_view(flavor->data.constData(), size_t(flavor->data.size())));
		return flavor->data;
	}

private:
	DragReference mDrag;
	UInt64 mSerial;
};

UInt64 NextSerial()
{
	static UInt64 serial = 0;
	return ++serial;
}

OSErr CheckDrag(DragReference drag)
{
	return IsLive(drag) ? OSErr(noErr) : OSErr(badDragRefErr);
}
} // namespace

QString QtDrag::MimeTypeForFlavor(FlavorType inFlavor)
{
	// Characters that a MIME subtype cannot hold are written as %XX.
	QString result = QString::fromLatin1(kMimePrefix);
	for (int shift = 24; shift >= 0; shift -= 8) {
		const unsigned char c = (unsigned char)(inFlavor >> shift);
		if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
			result += QChar(c);
		else
			result += QChar('%') + QStringLiteral("%1").arg(int(c), 2, 16, QChar('0')).toUpper();
	}
	return result;
}

FlavorType QtDrag::FlavorForMimeType(const QString& inMimeType)
{
	const QString prefix = QString::fromLatin1(kMimePrefix);
	if (!inMimeType.startsWith(prefix))
		return 0;
	const QString code = inMimeType.mid(prefix.size());
	FlavorType result = 0;
	int count = 0;
	for (int i = 0; i < code.size(); ++count) {
		unsigned c;
		if (code[i] == QChar('%')) {
			bool ok = false;
			c = code.mid(i + 1, 2).toUInt(&ok, 16);
			if (!ok || i + 3 > code.size())
				return 0;
			i += 3;
		} else {
			c = code[i].unicode();
			if (c > 0x7F)
				return 0;
			++i;
		}
		result = (result << 8) | (c & 0xFF);
	}
	return count == 4 ? result : 0;
}

QMimeData* QtDrag::NewMimeDataForDrag(DragReference inDrag)
{
	return IsLive(inDrag) ? new DragMimeData(inDrag) : nullptr;
}

DragReference QtDrag::DragForMimeData(const QMimeData* inData, bool& outOwned)
{
	outOwned = false;
	if (!inData)
		return nullptr;
	if (auto* ours = dynamic_cast<const DragMimeData*>(inData))
		if (DragReference drag = ours->Drag())
			return drag;
	DragReference drag = nullptr;
	NewDrag(&drag);
	outOwned = true;
	const ItemReference item = 1;
	bool hasText = false;
	for (const QString& format : inData->formats()) {
		const FlavorType type = FlavorForMimeType(format);
		if (!type)
			continue;
		const QByteArray bytes = inData->data(format);
		AddDragItemFlavor(drag, item, type, bytes.constData(), Size(bytes.size()), 0);
		hasText = hasText || type == kDragFlavorTypeText;
	}
	if (!hasText && inData->hasText()) {
		const std::string text = MacRomanFromQString(inData->text());
		AddDragItemFlavor(drag, item, kDragFlavorTypeText, text.data(), Size(text.size()), 0);
	}
	return drag;
}

void QtDrag::SetDragState(DragReference inDrag, Point inGlobalMouse, SInt16 inModifiers)
{
	if (!IsLive(inDrag))
		return;
	inDrag->mouse = inGlobalMouse;
	inDrag->modifiers = inModifiers;
}

void QtDrag::SetDragMouseUpModifiers(DragReference inDrag, SInt16 inModifiers, bool inOnlyIfUnknown)
{
	if (!IsLive(inDrag) || (inOnlyIfUnknown && inDrag->upKnown))
		return;
	inDrag->upModifiers = inModifiers;
	inDrag->upKnown = true;
}

void QtDrag::SetDragMouseDownModifiers(DragReference inDrag, SInt16 inModifiers, Point inGlobalMouse)
{
	if (!IsLive(inDrag))
		return;
	inDrag->downModifiers = inModifiers;
	inDrag->modifiers = inModifiers;
	inDrag->origin = inGlobalMouse;
	inDrag->mouse = inGlobalMouse;
}

void QtDrag::AddDragAttributes(DragReference inDrag, DragAttributes inAttributes)
{
	if (IsLive(inDrag))
		inDrag->attributes |= inAttributes;
}

void QtDrag::RemoveDragAttributes(DragReference inDrag, DragAttributes inAttributes)
{
	if (IsLive(inDrag))
		inDrag->attributes &= ~inAttributes;
}

void QtDrag::SetDragSenderWindow(DragReference inDrag, const void* inWindow)
{
	if (IsLive(inDrag))
		inDrag->senderWindow = inWindow;
}

const void* QtDrag::GetDragSenderWindow(DragReference inDrag)
{
	return IsLive(inDrag) ? inDrag->senderWindow : nullptr;
}

OSErr NewDrag(DragReference* theDrag)
{
	if (!theDrag)
		return paramErr;
	*theDrag = new OpaqueDragRef;
	(*theDrag)->serial = NextSerial();
	LiveDrags().insert(*theDrag);
	return noErr;
}

OSErr DisposeDrag(DragReference theDrag)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	LiveDrags().erase(theDrag);
	delete theDrag;
	return noErr;
}

OSErr AddDragItemFlavor(DragReference theDrag, ItemReference theItemRef, FlavorType theType,
                        const void* dataPtr, Size dataSize, FlavorFlags theFlags)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (dataSize < 0)
		return paramErr;
	Item* item = theDrag->FindItem(theItemRef);
	if (!item) {
		theDrag->items.push_back(Item{theItemRef, {}, {}});
		item = &theDrag->items.back();
	}
	for (const Flavor& flavor : item->flavors)
		if (flavor.type == theType)
			return duplicateFlavorErr;
	Flavor flavor;
	flavor.type = theType;
	flavor.flags = theFlags;
	if (dataPtr) {
		flavor.data = QByteArray(static_cast<const char*>(dataPtr), qsizetype(dataSize));
		flavor.hasData = true;
	}
	item->flavors.push_back(flavor);
	return noErr;
}

OSErr SetDragItemFlavorData(DragReference theDrag, ItemReference theItemRef, FlavorType theType,
                            const void* dataPtr, Size dataSize, UInt32 dataOffset)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	Flavor* flavor = theDrag->FindFlavor(theItemRef, theType);
	if (!flavor)
		return theDrag->FindItem(theItemRef) ? badDragFlavorErr : badDragItemErr;
	if (dataSize < 0 || (dataSize > 0 && !dataPtr))
		return paramErr;
	const qsizetype end = qsizetype(dataOffset) + qsizetype(dataSize);
	if (flavor->data.size() < end)
		flavor->data.resize(end, '\0');
	if (dataSize > 0)
		std::memcpy(flavor->data.data() + dataOffset, dataPtr, size_t(dataSize));
	flavor->hasData = true;
	return noErr;
}

OSErr SetDragSendProc(DragReference theDrag, DragSendDataProcPtr sendProc, void* dragSendRefCon)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	theDrag->sendProc = sendProc;
	theDrag->sendRefCon = dragSendRefCon;
	return noErr;
}

OSErr SetDragItemBounds(DragReference theDrag, ItemReference theItemRef, const Rect* itemBounds)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	Item* item = theDrag->FindItem(theItemRef);
	if (!item) {
		theDrag->items.push_back(Item{theItemRef, {}, {}});
		item = &theDrag->items.back();
	}
	if (itemBounds)
		item->bounds = *itemBounds;
	return noErr;
}

OSErr GetDragItemBounds(DragReference theDrag, ItemReference theItemRef, Rect* itemBounds)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	Item* item = theDrag->FindItem(theItemRef);
	if (!item)
		return badDragItemErr;
	if (itemBounds)
		*itemBounds = item->bounds;
	return noErr;
}

OSErr CountDragItems(DragReference theDrag, UInt16* numItems)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (numItems)
		*numItems = UInt16(theDrag->items.size());
	return noErr;
}

OSErr GetDragItemReferenceNumber(DragReference theDrag, UInt16 index, ItemReference* theItemRef)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (index < 1 || index > theDrag->items.size())
		return badDragItemErr;
	if (theItemRef)
		*theItemRef = theDrag->items[index - 1].ref;
	return noErr;
}

OSErr CountDragItemFlavors(DragReference theDrag, ItemReference theItemRef, UInt16* numFlavors)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	Item* item = theDrag->FindItem(theItemRef);
	if (!item)
		return badDragItemErr;
	if (numFlavors)
		*numFlavors = UInt16(item->flavors.size());
	return noErr;
}

OSErr GetFlavorType(DragReference theDrag, ItemReference theItemRef, UInt16 index, FlavorType* theType)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	Item* item = theDrag->FindItem(theItemRef);
	if (!item)
		return badDragItemErr;
	if (index < 1 || index > item->flavors.size())
		return badDragFlavorErr;
	if (theType)
		*theType = item->flavors[index - 1].type;
	return noErr;
}

OSErr GetFlavorFlags(DragReference theDrag, ItemReference theItemRef, FlavorType theType,
                     FlavorFlags* theFlags)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	const Flavor* flavor = theDrag->FindFlavor(theItemRef, theType);
	if (!flavor)
		return theDrag->FindItem(theItemRef) ? badDragFlavorErr : badDragItemErr;
	if (theFlags)
		*theFlags = flavor->flags;
	return noErr;
}

OSErr GetFlavorDataSize(DragReference theDrag, ItemReference theItemRef, FlavorType theType, Size* dataSize)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	OSErr err;
	const Flavor* flavor = FetchFlavor(theDrag, theItemRef, theType, err);
	if (!flavor)
		return err;
	if (dataSize)
		*dataSize = Size(flavor->data.size());
	return noErr;
}

OSErr GetFlavorData(DragReference theDrag, ItemReference theItemRef, FlavorType theType, void* dataPtr,
                    Size* dataSize, UInt32 dataOffset)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (!dataSize || *dataSize < 0 || (*dataSize > 0 && !dataPtr))
		return paramErr;
	OSErr err;
	const Flavor* flavor = FetchFlavor(theDrag, theItemRef, theType, err);
	if (!flavor)
		return err;
	const Size available = std::max<Size>(0, Size(flavor->data.size()) - Size(dataOffset));
	const Size count = std::min(*dataSize, available);
	if (count > 0)
		std::memcpy(dataPtr, flavor->data.constData() + dataOffset, size_t(count));
	*dataSize = count;
	return noErr;
}

OSErr GetDragAttributes(DragReference theDrag, DragAttributes* flags)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (flags)
		*flags = theDrag->attributes;
	return noErr;
}

OSErr GetDragModifiers(DragReference theDrag, SInt16* modifiers, SInt16* mouseDownModifiers,
                       SInt16* mouseUpModifiers)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (modifiers)
		*modifiers = theDrag->modifiers;
	if (mouseDownModifiers)
		*mouseDownModifiers = theDrag->downModifiers;
	if (mouseUpModifiers)
		*mouseUpModifiers = theDrag->upModifiers;
	return noErr;
}

OSErr GetDragMouse(DragReference theDrag, Point* mouse, Point* globalPinnedMouse)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (mouse)
		*mouse = theDrag->mouse;
	if (globalPinnedMouse)
		*globalPinnedMouse = theDrag->mouse;
	return noErr;
}

OSErr GetDragOrigin(DragReference theDrag, Point* globalInitialMouse)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (globalInitialMouse)
		*globalInitialMouse = theDrag->origin;
	return noErr;
}

OSErr GetDropLocation(DragReference theDrag, FlavorType*, void*, Size*)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	return cantGetFlavorErr;
}

namespace
{
void InvertHilite(DragReference theDrag)
{
	GrafPtr saved;
	GetPort(&saved);
	SetPort(theDrag->hilitePort);
	Rect bounds;
	GetPortBounds(theDrag->hilitePort, &bounds);
	Rect r = theDrag->hilitePixels;
	OffsetRect(&r, bounds.left, bounds.top);
	PenState pen;
	GetPenState(&pen);
	PenNormal();
	PenSize(2, 2);
	PenMode(patXor);
	FrameRect(&r);
	SetPenState(&pen);
	SetPort(saved);
}
} // namespace

OSErr ShowDragHilite(DragReference theDrag, RgnHandle hiliteFrame, Boolean inside)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	GrafPtr port;
	GetPort(&port);
	if (!port || !hiliteFrame)
		return paramErr;
	if (theDrag->hiliteShown)
		HideDragHilite(theDrag);
	Rect r;
	GetRegionBounds(hiliteFrame, &r);
	if (!inside)
		InsetRect(&r, -2, -2);
	Rect bounds;
	GetPortBounds(port, &bounds);
	OffsetRect(&r, SInt16(-bounds.left), SInt16(-bounds.top));
	theDrag->hilitePort = port;
	theDrag->hilitePixels = r;
	theDrag->hiliteShown = true;
	InvertHilite(theDrag);
	return noErr;
}

OSErr HideDragHilite(DragReference theDrag)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	if (!theDrag->hiliteShown)
		return noErr;
	InvertHilite(theDrag);
	theDrag->hiliteShown = false;
	return noErr;
}

DragTracker SetDragTracker(DragTracker tracker)
{
	DragTracker previous = std::move(Tracker());
	Tracker() = std::move(tracker);
	return previous;
}

OSErr TrackDrag(DragReference theDrag, const EventRecord* theEvent, RgnHandle)
{
	if (const OSErr err = CheckDrag(theDrag))
		return err;
	theDrag->attributes |= kDragInsideSenderApplication;
	if (theEvent) {
		theDrag->downModifiers = SInt16(theEvent->modifiers);
		theDrag->modifiers = SInt16(theEvent->modifiers);
		theDrag->origin = theEvent->where;
		theDrag->mouse = theEvent->where;
	}
	if (Tracker())
		return Tracker()(theDrag);
	if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
		return paramErr;
	QObject* source = QApplication::focusWidget();
	if (!source)
		source = QApplication::activeWindow();
	if (!source)
		source = QCoreApplication::instance();
	auto* drag = new QDrag(source);
	drag->setMimeData(QtDrag::NewMimeDataForDrag(theDrag));
	Qt::DropAction action = Qt::IgnoreAction;
	StModalLoop::Run([] { QDrag::cancel(); },
	                 [&] { action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction); });
	drag->deleteLater();
	return action == Qt::IgnoreAction ? OSErr(userCanceledErr) : OSErr(noErr);
}

Boolean DragAndDropIsPresent()
{
	return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}
