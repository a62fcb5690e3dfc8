#pragma once
// The toolbox's alerts: an alert resource's text, with ^0 to ^3 replaced by the parameter texts, and its
// buttons, shown modally with a stop, caution or note icon. The result is the item number of the button
// that closed it (1 for the first).
//
// Tests script the user with QueueAnswer (the alert then returns at once) and read what was shown: only
// the alerts answered from that queue, or shown while answers are required, are kept.

#include "platform/framework/FrameworkTypes.h"

#include <functional>
#include <string>
#include <vector>

enum EAlertKind { kAlertPlain, kAlertStop, kAlertCaution, kAlertNote };

class UModalAlerts
{
public:
	static MessageBoxItemT Show(EAlertKind inKind, ResIDT inAlertID);

	static void QueueAnswer(MessageBoxItemT inItem);
	static void ClearQueuedAnswers();
	// When set, an alert that finds no queued answer stops the program instead of waiting for a user.
	static void SetAnswersRequired(Boolean inRequired);
	// When set, an alert that finds no queued answer is handed to it, its text in UTF-8, and then ends
	// as its Cancel would, without waiting: a test program fails the test with it. Returns the handler
	// it replaces.
	typedef std::function<void(const std::string& inWaitsFor)> Unanswered;
	static Unanswered SetUnanswered(Unanswered inHandler);

	struct SShownAlert {
		EAlertKind kind;
		ResIDT alertID;
		std::string text; // Mac Roman, parameters filled in
	};
	static const std::vector<SShownAlert>& GetShownAlerts();
	static void ClearShownAlerts();

	// inText with ^0 to ^3 replaced by the parameter texts, as an alert shows it; dialogs that name
	// something in their texts fill them the same way.
	static std::string FillParameters(const std::string& inText);
};

// Parameter texts for ^0 to ^3 of the next alerts (null: empty).
void ParamText(ConstStr255Param inText0, ConstStr255Param inText1, ConstStr255Param inText2,
               ConstStr255Param inText3);
MessageBoxItemT Alert(ResIDT inAlertID, void* inFilter = nullptr);
MessageBoxItemT StopAlert(ResIDT inAlertID, void* inFilter = nullptr);
MessageBoxItemT CautionAlert(ResIDT inAlertID, void* inFilter = nullptr);
MessageBoxItemT NoteAlert(ResIDT inAlertID, void* inFilter = nullptr);
