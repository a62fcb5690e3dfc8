#pragma once
// The drag manager: a drag carries items, each with flavours (four-character types) whose data are bytes.
// Data may be promised: a flavour added without data is filled by the drag's send-data procedure when a
// receiver asks for it. Drags between programs travel as one MIME type per flavour
// (application/x-vantorel-<flavour>) plus text/plain for 'TEXT'; sender-only flavours never leave the
// program. Data always travels by value: receivers get copies of the bytes.

#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/gui/QuickDraw.h"

#include <cstdint>
#include <functional>

struct OpaqueDragRef;
typedef OpaqueDragRef* DragReference;
typedef std::uintptr_t ItemReference; // wide enough for the common idiom of an object's address
typedef OSType FlavorType;
typedef UInt32 FlavorFlags;
typedef UInt32 DragAttributes;

enum : FlavorFlags {
	flavorSenderOnly = 0x00000001,       // stays inside the sending program
	flavorSenderTranslated = 0x00000002, // made by the sender on request
	flavorNotSaved = 0x00000004,
	flavorSystemTranslated = 0x00000100,
};

enum : DragAttributes {
	kDragHasLeftSenderWindow = 1 << 0,
	kDragInsideSenderApplication = 1 << 1,
	kDragInsideSenderWindow = 1 << 2,
};

enum : FlavorType { kDragFlavorTypeText = FOUR_CHAR_CODE("TEXT") };

enum : OSErr {
	cantGetFlavorErr = -1852,
	duplicateFlavorErr = -1853,
	badDragRefErr = -1850,
	badDragItemErr = -1851,
	badDragFlavorErr = -1854,
	dragNotAcceptedErr = -1857,
};

typedef OSErr (*DragSendDataProcPtr)(FlavorType theType, void* dragSendRefCon, ItemReference theItemRef,
                                     DragReference theDrag);

OSErr NewDrag(DragReference* theDrag);
OSErr DisposeDrag(DragReference theDrag);

// A null data pointer promises the data (the send-data procedure supplies it).
OSErr AddDragItemFlavor(DragReference theDrag, ItemReference theItemRef, FlavorType theType,
                        const void* dataPtr, Size dataSize, FlavorFlags theFlags);
OSErr SetDragItemFlavorData(DragReference theDrag, ItemReference theItemRef, FlavorType theType,
                            const void* dataPtr, Size dataSize, UInt32 dataOffset);
OSErr SetDragSendProc(DragReference theDrag, DragSendDataProcPtr sendProc, void* dragSendRefCon);
// The outline of an item, in global coordinates; adds the item when the drag has none of that reference.
OSErr SetDragItemBounds(DragReference theDrag, ItemReference theItemRef, const Rect* itemBounds);
OSErr GetDragItemBounds(DragReference theDrag, ItemReference theItemRef, Rect* itemBounds);

OSErr CountDragItems(DragReference theDrag, UInt16* numItems);
// Items counted from 1.
OSErr GetDragItemReferenceNumber(DragReference theDrag, UInt16 index, ItemReference* theItemRef);
OSErr CountDragItemFlavors(DragReference theDrag, ItemReference theItemRef, UInt16* numFlavors);
OSErr GetFlavorType(DragReference theDrag, ItemReference theItemRef, UInt16 index, FlavorType* theType);
OSErr GetFlavorFlags(DragReference theDrag, ItemReference theItemRef, FlavorType theType,
                     FlavorFlags* theFlags);
OSErr GetFlavorDataSize(DragReference theDrag, ItemReference theItemRef, FlavorType theType, Size* dataSize);
// Copies at most *dataSize bytes from dataOffset on; *dataSize becomes the number copied.
OSErr GetFlavorData(DragReference theDrag, ItemReference theItemRef, FlavorType theType, void* dataPtr,
                    Size* dataSize, UInt32 dataOffset);

OSErr GetDragAttributes(DragReference theDrag, DragAttributes* flags);
// The keys now, at the mouse-down that started the drag and at the mouse-up that ended it.
OSErr GetDragModifiers(DragReference theDrag, SInt16* modifiers, SInt16* mouseDownModifiers,
                       SInt16* mouseUpModifiers);
// Global coordinates.
OSErr GetDragMouse(DragReference theDrag, Point* mouse, Point* globalPinnedMouse);
OSErr GetDragOrigin(DragReference theDrag, Point* globalInitialMouse);
// Where the drop went outside the program is not known here: always cantGetFlavorErr.
OSErr GetDropLocation(DragReference theDrag, FlavorType* locationType, void* locationData,
                      Size* locationSize);

// Frames the region in the current port (2 pixels, inverted; inside the region when inside is true);
// HideDragHilite inverts the same pixels back.
OSErr ShowDragHilite(DragReference theDrag, RgnHandle hiliteFrame, Boolean inside);
OSErr HideDragHilite(DragReference theDrag);

// Runs the drag until the mouse goes up; userCanceledErr when it ended where no one took it.
OSErr TrackDrag(DragReference theDrag, const EventRecord* theEvent, RgnHandle theRegion);

// Tests replace the user's gesture: the tracker is called in place of the real drag and returns what
// TrackDrag returns. Null restores the real drag. Returns the tracker it replaces.
using DragTracker = std::function<OSErr(DragReference theDrag)>;
DragTracker SetDragTracker(DragTracker tracker);

Boolean DragAndDropIsPresent();
