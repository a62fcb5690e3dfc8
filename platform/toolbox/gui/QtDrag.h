#pragma once
// Inside of the drag manager, for the stand-in's .cpp files and tests: drags as Qt MIME data and back.

#include "platform/toolbox/gui/Drag.h"

#include <QString>

class QMimeData;

namespace QtDrag
{
QString MimeTypeForFlavor(FlavorType inFlavor);
// 0 when the MIME type is not one of ours.
FlavorType FlavorForMimeType(const QString& inMimeType);

// The data a drag offers to Qt (a new object, owned by the caller or by the QDrag it is given to). A drop
// on this program receives the same object back, and with it the sender-only flavours.
QMimeData* NewMimeDataForDrag(DragReference inDrag);
// The drag that a drop brings: the sender's own when it comes from this program, else a new drag of one
// item built from the MIME types (disposed of by the caller with DisposeDrag). inOwned tells which.
DragReference DragForMimeData(const QMimeData* inData, bool& outOwned);

// What the receiving side learns as the drag moves.
void SetDragState(DragReference inDrag, Point inGlobalMouse, SInt16 inModifiers);
// The keys at the drop; inOnlyIfUnknown leaves those that a drop in this program has set.
void SetDragMouseUpModifiers(DragReference inDrag, SInt16 inModifiers, bool inOnlyIfUnknown = false);
void AddDragAttributes(DragReference inDrag, DragAttributes inAttributes);
void RemoveDragAttributes(DragReference inDrag, DragAttributes inAttributes);
// The window (any identity the caller chooses) the drag started from.
void SetDragSenderWindow(DragReference inDrag, const void* inWindow);
const void* GetDragSenderWindow(DragReference inDrag);
void SetDragMouseDownModifiers(DragReference inDrag, SInt16 inModifiers, Point inGlobalMouse);
} // namespace QtDrag
