#pragma once
// Apple-event descriptors as scripts reach the program (over D-Bus): an event or reply is a record of
// parameters under four-character keys, each a typed byte string.

#include "platform/toolbox/MacTypes.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>

typedef FourCharCode DescType;
typedef FourCharCode AEKeyword;

enum : DescType {
	typeNull = FOUR_CHAR_CODE("null"),
	typeAERecord = FOUR_CHAR_CODE("reco"),
	typeAppleEvent = FOUR_CHAR_CODE("aevt"),
	typeChar = FOUR_CHAR_CODE("TEXT"),
	typeSInt16 = FOUR_CHAR_CODE("shor"),
	typeSInt32 = FOUR_CHAR_CODE("long"),
	typeIEEE32BitFloatingPoint = FOUR_CHAR_CODE("sing"),
};

enum : AEKeyword {
	keyDirectObject = FOUR_CHAR_CODE("----"),
	keyErrorNumber = FOUR_CHAR_CODE("errn"),
	keyErrorString = FOUR_CHAR_CODE("errs"),
};

enum : OSErr { errAECoercionFail = -1700, errAEDescNotFound = -1701, errAEWrongDataType = -1703 };

struct AEDesc {
	// typeNull for a reply that nobody waits for.
	DescType descriptorType = typeNull;
	// Numbers are kept in the host's order.
	std::map<AEKeyword, std::pair<DescType, std::string>> parameters;
};
typedef AEDesc AppleEvent;

// Copies at most maximumSize bytes of the parameter; actualSize gets its full size. Text is given as text
// only; numbers are not coerced.
inline OSErr AEGetParamPtr(const AppleEvent* event, AEKeyword key, DescType desiredType, DescType* typeCode,
                           void* dataPtr, Size maximumSize, Size* actualSize)
{
	const auto found = event->parameters.find(key);
	if (found == event->parameters.end())
		return errAEDescNotFound;
	if (found->second.first != desiredType)
		return errAECoercionFail;
	const std::string& data = found->second.second;
	if (typeCode != nullptr)
		*typeCode = found->second.first;
	if (actualSize != nullptr)
		*actualSize = Size(data.size());
	if (dataPtr != nullptr && maximumSize > 0)
		std::memcpy(dataPtr, data.data(), std::min<size_t>(size_t(maximumSize), data.size()));
	return 0;
}

inline OSErr AEPutParamPtr(AppleEvent* event, AEKeyword key, DescType type, const void* dataPtr, Size size)
{
	if (event->descriptorType == typeNull)
		event->descriptorType = typeAppleEvent;
	event->parameters[key] = {
	    type, std::string(static_cast<const char*>(dataPtr), size_t(std::max<Size>(size, 0)))};
	return 0;
}
