#pragma once
// Class id -> creator, for building panes from layouts. A creator builds its pane from the stream that the
// reanimator filled with the pane's data.

#include "platform/framework/FrameworkTypes.h"

class LPane;
class LStream;

typedef LPane* (*ClassCreatorFunc)(LStream* inStream);

class URegistrar
{
public:
	// A later registration of the same id replaces the earlier one.
	static void RegisterClass(ClassIDT inClassID, ClassCreatorFunc inCreator);
	static void UnregisterClass(ClassIDT inClassID);
	static Boolean IsRegistered(ClassIDT inClassID);
	// Null when no creator is registered for the id.
	static LPane* CreateObject(ClassIDT inClassID, LStream* inStream);
	static void DisposeClassTable();
};

// Registers T under T::class_ID with a creator that calls T's stream constructor.
#define RegisterClass_(T)                                                                                    \
	URegistrar::RegisterClass(ClassIDT(T::class_ID),                                                     \
	                          [](LStream* inStream) -> LPane* { return new T(inStream); })
