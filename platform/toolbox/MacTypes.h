#pragma once
// The toolbox's basic types, as the system's code names them.

#include <cstddef>
#include <cstdint>

typedef std::uint8_t UInt8;
typedef std::int8_t SInt8;
typedef std::uint16_t UInt16;
typedef std::int16_t SInt16;
typedef std::uint32_t UInt32;
typedef std::int32_t SInt32;
typedef std::uint64_t UInt64;
typedef std::int64_t SInt64;
typedef bool Boolean;
typedef SInt16 OSErr;
typedef SInt32 OSStatus;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef FourCharCode ResType;
typedef SInt16 ResID;
typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

typedef unsigned char Str255[256];
typedef unsigned char Str63[64];
typedef unsigned char Str31[32];
typedef unsigned char Str32[33];
typedef unsigned char Str27[28];
typedef unsigned char Str15[16];
typedef unsigned char* StringPtr;
typedef const unsigned char* ConstStringPtr;
typedef const unsigned char* ConstStr255Param;
typedef const unsigned char* ConstStr63Param;
typedef const unsigned char* ConstStr31Param;

enum { noErr = 0 };

struct Point {
	SInt16 v = 0;
	SInt16 h = 0;
};

struct Rect {
	SInt16 top = 0;
	SInt16 left = 0;
	SInt16 bottom = 0;
	SInt16 right = 0;
};

struct RGBColor {
	UInt16 red = 0;
	UInt16 green = 0;
	UInt16 blue = 0;
};

// 'abcd' as a 32-bit code, first character in the high byte.
constexpr FourCharCode FOUR_CHAR_CODE(const char (&s)[5])
{
	return (FourCharCode(UInt8(s[0])) << 24) | (FourCharCode(UInt8(s[1])) << 16) |
	       (FourCharCode(UInt8(s[2])) << 8) | FourCharCode(UInt8(s[3]));
}

// Events as the toolbox hands them out.
struct EventRecord {
	UInt16 what = 0;
	UInt32 message = 0;
	UInt32 when = 0;
	Point where;
	UInt16 modifiers = 0;
};

enum {
	nullEvent = 0,
	mouseDown = 1,
	mouseUp = 2,
	keyDown = 3,
	keyUp = 4,
	autoKey = 5,
	updateEvt = 6,
	activateEvt = 8,
	osEvt = 15
};

enum {
	activeFlag = 0x0001,
	btnState = 0x0080,
	cmdKey = 0x0100,
	shiftKey = 0x0200,
	alphaLock = 0x0400,
	optionKey = 0x0800,
	controlKey = 0x1000
};

enum { charCodeMask = 0x000000FF, keyCodeMask = 0x0000FF00 };
