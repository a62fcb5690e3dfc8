#include "platform/toolbox/gui/ColorPicker.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/StModalLoop.h"

#include <QApplication>
#include <QColorDialog>
#include <deque>
#include <utility>

namespace
{
std::deque<std::pair<Boolean, RGBColor>>& Answers()
{
	static std::deque<std::pair<Boolean, RGBColor>> answers;
	return answers;
}

Boolean& AnswersRequired()
{
	static Boolean required = false;
	return required;
}
} // namespace

Boolean GetColor(Point, ConstStr255Param prompt, const RGBColor* inColor, RGBColor* outColor)
{
	if (!outColor)
		return false;
	if (!Answers().empty()) {
		const auto [chosen, color] = Answers().front();
		Answers().pop_front();
		if (chosen)
			*outColor = color;
		return chosen;
	}
	if (AnswersRequired()) {
		SignalIf_(AnswersRequired());
		return false;
	}
	if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
		return false;
	const RGBColor start = inColor ? *inColor : *outColor;
	auto* dialog = new QColorDialog(QColor::fromRgba64(start.red, start.green, start.blue),
	                                QApplication::activeWindow());
	if (prompt)
		dialog->setWindowTitle(QStringFromPascal(prompt));
	QColor chosen;
	if (!StModalLoop::ExecAndDelete(dialog, [&] { chosen = dialog->selectedColor(); }))
		return false;
	if (!chosen.isValid())
		return false;
	const QRgba64 c = chosen.rgba64();
	*outColor = RGBColor{c.red(), c.green(), c.blue()};
	return true;
}

void QueueColorAnswer(Boolean inChosen, const RGBColor& inColor)
{
	Answers().emplace_back(inChosen, inColor);
}

void ClearColorAnswers()
{
	Answers().clear();
}

void SetColorAnswersRequired(Boolean inRequired)
{
	AnswersRequired() = inRequired;
}
