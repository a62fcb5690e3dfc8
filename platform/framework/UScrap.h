#pragma once
// The clipboard, by flavour. Each flavour is one MIME type (application/x-vantorel-<flavour>); 'TEXT' is
// offered as text/plain too, and text that other programs copied reads as 'TEXT' (Mac Roman).

#include "platform/toolbox/MacTypes.h"

#include <string>

typedef FourCharCode ScrapFlavorType;

class UScrap
{
public:
	// Replaces the clipboard's contents with the flavour, or adds it to them when inReset is false.
	static void SetData(ScrapFlavorType inDataType, const void* inDataPtr, SInt32 inDataLength,
	                    Boolean inReset = true);
	// The size of the flavour's data, 0 when the clipboard has none; outData (may be null) gets the
	// bytes.
	static SInt32 GetData(ScrapFlavorType inDataType, std::string* outData);
	static Boolean HasData(ScrapFlavorType inDataType);
	static void ClearData();
};
