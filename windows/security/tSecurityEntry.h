#pragma once
// One row of a list window's working list: the security it shows (not owned) and the row's two check boxes
// (panes of the list table while the row is in view; whoever removes the row deletes them).

class LCheckBox;
class TSecurity;

struct tSecurityEntry {
	TSecurity* Security = nullptr;
	// Made in this window and not yet in the plug-in's list.
	bool NewSecurity = false;
	LCheckBox* MenuCheckbox = nullptr;
	LCheckBox* SummaryCheckbox = nullptr;
};
