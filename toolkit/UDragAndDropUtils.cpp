#include "toolkit/UDragAndDropUtils.h"

bool UDragAndDropUtils::CheckIfViewIsAlsoSender(DragReference inDragRef)
{
	DragAttributes attributes = 0;
	if (GetDragAttributes(inDragRef, &attributes) != noErr)
		return false;
	return (attributes & kDragInsideSenderWindow) != 0;
}

bool UDragAndDropUtils::CheckForOptionKey(DragReference inDragRef)
{
	SInt16 now = 0, down = 0, up = 0;
	if (GetDragModifiers(inDragRef, &now, &down, &up) != noErr)
		return false;
	return ((down | up) & optionKey) != 0;
}

bool UDragAndDropUtils::DroppedInTrash(DragReference)
{
	return false;
}
