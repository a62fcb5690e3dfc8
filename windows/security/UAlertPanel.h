#pragma once
// The controls of an alert panel, losing or gaining: the per-security settings dialog and the security
// preferences window lay them out alike, under pane ids of the panel's letter ('l' or 'g') and three more.

#include "foundation/UMenus.h"
#include "platform/framework/FrameworkTypes.h"

class LCheckBox;
class LCheckBoxGroupBox;
class LColorWell;
class LEditText;
class LPopupButton;
class LView;
class TSoundMenu;
struct tAlertParameters;

class UAlertPanel
{
public:
	struct tControls {
		LCheckBoxGroupBox* override = nullptr;
		LPopupButton* condition = nullptr;
		LEditText* value = nullptr;
		LCheckBox* useColour = nullptr;
		LColorWell* colour = nullptr;
		LCheckBox* blink = nullptr;
		LCheckBox* bold = nullptr;
		LCheckBox* italic = nullptr;
		LCheckBox* underline = nullptr;
		LCheckBox* useSound = nullptr;
		TSoundMenu* sound = nullptr;
		LCheckBox* repeatSound = nullptr;
	};

	// A missing pane is a debug assertion.
	static void FindControls(LView* inView, char inPrefix, tControls& outControls);
	static void Redo(const tControls& inControls, const tAlertParameters* inAlert, bool inOn,
	                 const tMenuItems* inTable);
	// Stores every control's field; the alert is on when its box is checked. Returns that.
	static bool Save(const tControls& inControls, tAlertParameters* ioAlert, const tMenuItems* inTable);

	// Plays the sound chosen in the panel.
	static void PlaySound(const tControls& inControls);

	// An edit field's text as a C string of at most 255 characters.
	static void GetFieldText(LEditText* inField, char* outText);
	static void SetFieldText(LEditText* inField, const char* inText);
};
