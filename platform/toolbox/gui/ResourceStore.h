#pragma once
// The application's resources, looked up by type and number. Resource files are our own text format
// (UTF-8; texts become Mac Roman on loading):
//
//   # comment to the end of the line
//   STR# 128 { "First" "Second" }                   string list, items counted from 1, each <= 255 bytes
//   MENU 129 "File" { "Open…" cmd 3 key O   "-"   "Recent" submenu 150   "Off" cmd 7 disabled checked }
//   MBAR 128 { 129 130 }                            menus of a menu bar, left to right
//   ALRT 200 { text "^0" button "OK" button "Cancel" default 1 cancel 2 }
//   RidL 1000 { 'OKbt' 2000 }                       panes whose broadcasts a window hears
//   Txtr 130 { font "Geneva" size 10 style 1 just 0 color 0 0 65535 }
//   PICT 1004 "images/about.png"                    a picture; the path is relative to the file's folder
//   cicn 1012 "images/sort.png"                     a colour icon, likewise
//   PPob 1000 {                                     a layout: a tree of panes
//     'wind' 1000 40 60 300 200  str "Title" u32 0x20000043 i16 100 i16 80 i16 -1 i16 -1 {
//       'view' 'body' 0 0 300 200 bind 1 1 1 1 {
//         'capt' 'name' 10 10 200 16 hidden str "Name"
//       }
//     }
//   }
//
// A pane is: class id, pane id (four characters or a number), frame left top width height (in its super
// view's local coordinates; a window's are global), then optional attributes (hidden, disabled,
// bind L T R B, user N) and the fields its stream constructor reads, in order, each with its type: i8 u8
// i16 u16 i32 u32 bool str (length-prefixed) code ('abcd') rgb (three u16); then its sub panes in braces.
// Numbers are decimal or 0x hexadecimal; command numbers may be four-character codes.
//
// A later file may replace resources of an earlier one; a file with an error loads nothing.

#include "platform/toolbox/MacTypes.h"

#include <map>
#include <string>
#include <vector>

struct SResLayoutPane {
	FourCharCode classID = 0;
	SInt32 paneID = 0;
	SInt32 left = 0, top = 0, width = 0, height = 0;
	Boolean visible = true;
	Boolean enabled = true;
	Boolean bindLeft = false, bindTop = false, bindRight = false, bindBottom = false;
	SInt32 userCon = 0;
	std::vector<UInt8> fields; // big-endian, as the stream constructor reads them
	std::vector<SResLayoutPane> subPanes;
};

struct SResMenuItem {
	std::string text; // Mac Roman; "-" is a separator line
	SInt32 command = 0;
	char key = 0; // command-key equivalent, upper case; 0 for none
	SInt16 submenuID = 0;
	Boolean enabled = true;
	Boolean checked = false;
};

struct SResMenu {
	std::string title;
	std::vector<SResMenuItem> items;
};

struct SResAlert {
	std::string text;                 // with ^0 to ^3 for the parameter texts
	std::vector<std::string> buttons; // items 1, 2, ...
	SInt16 defaultItem = 1;
	SInt16 cancelItem = 0; // 0: none
};

// A picture or an icon, decoded when its file is loaded: rows top to bottom, each pixel 0xAARRGGBB (not
// premultiplied).
struct SResImage {
	SInt32 width = 0;
	SInt32 height = 0;
	std::vector<UInt32> pixels;
};

struct SResTextTraits {
	std::string fontName;
	SInt16 size = 0;
	SInt16 style = 0;
	SInt16 justification = 0;
	RGBColor color;
};

class ResourceStore
{
public:
	// The process's store.
	static ResourceStore& Get();

	// A path may name a Qt resource (":/..."). On failure outError tells file, line and reason.
	bool LoadFile(const std::string& path, std::string* outError = nullptr);
	bool LoadText(const std::string& text, const std::string& name, std::string* outError = nullptr);
	// Every *.res file of a folder (a Qt resource folder too), in name order; stops at the first failure.
	bool LoadFolder(const std::string& path, std::string* outError = nullptr);
	void Clear();

	// Null when the store has no such resource.
	const SResLayoutPane* GetLayout(SInt16 id) const;
	const SResMenu* GetMenu(SInt16 id) const;
	const std::vector<SInt16>* GetMenuBar(SInt16 id) const;
	const std::vector<std::string>* GetStringList(SInt16 id) const;
	const SResAlert* GetAlert(SInt16 id) const;
	const std::vector<SInt32>* GetControlList(SInt16 id) const;
	const SResTextTraits* GetTextTraits(SInt16 id) const;
	const SResImage* GetPicture(SInt16 id) const;
	const SResImage* GetColourIcon(SInt16 id) const;
	// Every layout's number, in order.
	std::vector<SInt16> GetLayoutIDs() const;

	struct Contents {
		std::map<SInt16, SResLayoutPane> layouts;
		std::map<SInt16, SResMenu> menus;
		std::map<SInt16, std::vector<SInt16>> menuBars;
		std::map<SInt16, std::vector<std::string>> stringLists;
		std::map<SInt16, SResAlert> alerts;
		std::map<SInt16, std::vector<SInt32>> controlLists;
		std::map<SInt16, SResTextTraits> textTraits;
		std::map<SInt16, SResImage> pictures;
		std::map<SInt16, SResImage> colourIcons;
	};

private:
	Contents mContents;
};

// Item inIndex (from 1) of string list inListID as a length-prefixed string; empty when the list or the
// item does not exist.
void GetIndString(Str255 outString, SInt16 inListID, SInt16 inIndex);
