#include "platform/framework/UModalAlerts.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QMessageBox>
#include <QPushButton>
#include <deque>
#include <utility>

namespace
{
std::string sParams[4];
std::deque<MessageBoxItemT> sAnswers;
Boolean sAnswersRequired = false;
UModalAlerts::Unanswered sUnanswered;
std::vector<UModalAlerts::SShownAlert> sShown;

std::string Filled(const std::string& inText)
{
	std::string out;
	for (size_t i = 0; i < inText.size(); ++i) {
		if (inText[i] == '^' && i + 1 < inText.size() && inText[i + 1] >= '0' &&
		    inText[i + 1] <= '3') {
			out += sParams[inText[i + 1] - '0'];
			++i;
		} else {
			out += inText[i];
		}
	}
	return out;
}
} // namespace

MessageBoxItemT UModalAlerts::Show(EAlertKind inKind, ResIDT inAlertID)
{
	const SResAlert* alert = ResourceStore::Get().GetAlert(inAlertID);
	SignalIf_(alert == nullptr);
	SResAlert fallback;
	fallback.text = "^0";
	fallback.buttons = {"OK"};
	if (!alert)
		alert = &fallback;
	// What closing the alert answers: its Cancel, or its only button.
	const MessageBoxItemT cancelled = alert->cancelItem >= 1 ? alert->cancelItem : MessageBoxItemT(1);
	if (StModalLoop::IsQuitPending())
		return cancelled;
	const std::string text = Filled(alert->text);
	// Kept only for a test that scripted the alert; a user's alerts are not kept for the whole run.
	if (!sAnswers.empty() || sAnswersRequired)
		sShown.push_back(SShownAlert{inKind, inAlertID, text});

	if (!sAnswers.empty()) {
		const MessageBoxItemT item = sAnswers.front();
		sAnswers.pop_front();
		return item;
	}
	// A test that forgot its answer would wait for ever.
	if (sUnanswered) {
		sUnanswered("the alert \"" + MacRoman::ToUTF8(text) + "\"");
		return cancelled;
	}
	Assert_(!sAnswersRequired);

	QMessageBox box;
	box.setIcon(inKind == kAlertStop      ? QMessageBox::Critical
	            : inKind == kAlertCaution ? QMessageBox::Warning
	            : inKind == kAlertNote    ? QMessageBox::Information
	                                      : QMessageBox::NoIcon);
	box.setText(QStringFromMacRoman(text));
	std::vector<QPushButton*> buttons;
	for (const std::string& title : alert->buttons)
		buttons.push_back(box.addButton(QStringFromMacRoman(title), QMessageBox::AcceptRole));
	if (alert->defaultItem >= 1)
		box.setDefaultButton(buttons[size_t(alert->defaultItem - 1)]);
	if (alert->cancelItem >= 1)
		box.setEscapeButton(buttons[size_t(alert->cancelItem - 1)]);
	bool quit = false;
	StModalLoop::Run(
	    [&] {
		    quit = true;
		    box.done(0);
	    },
	    [&] { box.exec(); }, MacRoman::ToUTF8(text));
	for (size_t i = 0; i < buttons.size() && !quit; ++i)
		if (box.clickedButton() == buttons[i])
			return MessageBoxItemT(i + 1);
	return cancelled;
}

void UModalAlerts::QueueAnswer(MessageBoxItemT inItem)
{
	sAnswers.push_back(inItem);
}

void UModalAlerts::ClearQueuedAnswers()
{
	sAnswers.clear();
}

void UModalAlerts::SetAnswersRequired(Boolean inRequired)
{
	sAnswersRequired = inRequired;
}

UModalAlerts::Unanswered UModalAlerts::SetUnanswered(Unanswered inHandler)
{
	return std::exchange(sUnanswered, std::move(inHandler));
}

const std::vector<UModalAlerts::SShownAlert>& UModalAlerts::GetShownAlerts()
{
	return sShown;
}

void UModalAlerts::ClearShownAlerts()
{
	sShown.clear();
}

std::string UModalAlerts::FillParameters(const std::string& inText)
{
	return Filled(inText);
}

void ParamText(ConstStr255Param inText0, ConstStr255Param inText1, ConstStr255Param inText2,
               ConstStr255Param inText3)
{
	ConstStr255Param texts[4] = {inText0, inText1, inText2, inText3};
	for (int i = 0; i < 4; ++i)
		sParams[i] = PascalStrings::ToString(texts[i]);
}

MessageBoxItemT Alert(ResIDT inAlertID, void*)
{
	return UModalAlerts::Show(kAlertPlain, inAlertID);
}

MessageBoxItemT StopAlert(ResIDT inAlertID, void*)
{
	return UModalAlerts::Show(kAlertStop, inAlertID);
}

MessageBoxItemT CautionAlert(ResIDT inAlertID, void*)
{
	return UModalAlerts::Show(kAlertCaution, inAlertID);
}

MessageBoxItemT NoteAlert(ResIDT inAlertID, void*)
{
	return UModalAlerts::Show(kAlertNote, inAlertID);
}
