#include "platform/framework/LTextEditView.h"

#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/MacRomanQString.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <algorithm>

namespace
{
// The text's own keys stay with the editor; command keys, Tab and Escape go to the chain.
bool IsChainKey(const EventRecord& inKey)
{
	const UInt16 ch = UInt16(inKey.message & charCodeMask);
	return (inKey.modifiers & cmdKey) || ch == char_Tab || ch == char_Escape || ch == char_Enter;
}
} // namespace

LTextEditView::LTextEditView(LStream* inStream) : LControlPane(inStream)
{
	Str255 text;
	Boolean readOnly = false;
	*inStream >> mValueMessage;
	inStream->ReadPString(text);
	*inStream >> mTxtrID >> readOnly;
	auto* edit = new QPlainTextEdit;
	edit->setFocusPolicy(Qt::ClickFocus);
	edit->setReadOnly(readOnly);
	edit->setTabChangesFocus(false);
	auto* native = new QtPaneWidget(this, edit, true);
	native->mKeepKey = [](const EventRecord& inKey) { return !IsChainKey(inKey); };
	QObject::connect(edit, &QPlainTextEdit::textChanged, native, [this] {
		if (!mSetting && mValueMessage != msg_Nothing)
			BroadcastMessage(mValueMessage, this);
	});
	SetNative(native);
	SetDescriptor(text);
}

void LTextEditView::SetTextPtr(const void* inTextP, SInt32 inTextLength)
{
	std::string text;
	if (inTextP && inTextLength > 0)
		text.assign(static_cast<const char*>(inTextP), size_t(inTextLength));
	std::replace(text.begin(), text.end(), '\r', '\n');
	mSetting = true;
	mNative->As<QPlainTextEdit>()->setPlainText(QStringFromMacRoman(text));
	mSetting = false;
	Refresh();
}

std::string LTextEditView::GetText() const
{
	std::string text = MacRomanFromQString(mNative->As<QPlainTextEdit>()->toPlainText());
	std::replace(text.begin(), text.end(), '\n', '\r');
	return text;
}

void LTextEditView::SetDescriptor(ConstStr255Param inDescriptor)
{
	SetTextPtr(inDescriptor + 1, inDescriptor[0]);
}

StringPtr LTextEditView::GetDescriptor(Str255 outDescriptor) const
{
	PascalStrings::FromString(GetText(), outDescriptor);
	return outDescriptor;
}

void LTextEditView::SelectAll()
{
	mNative->As<QPlainTextEdit>()->selectAll();
}

Boolean LTextEditView::HandleKeyPress(const EventRecord& inKeyEvent)
{
	if (IsChainKey(inKeyEvent))
		return LCommander::HandleKeyPress(inKeyEvent);
	// A key that reached the view through the chain: the editor takes it as if typed.
	const UInt8 ch = UInt8(inKeyEvent.message & charCodeMask);
	switch (ch) {
	case char_Backspace:
	case char_FwdDelete:
	case char_Return:
	case char_LeftArrow:
	case char_RightArrow:
	case char_UpArrow:
	case char_DownArrow:
		break;
	default:
		if (!UKeyFilters::IsPrintingChar(ch))
			return LCommander::HandleKeyPress(inKeyEvent);
	}
	QtEventTranslation::SendKeyPress(mNative->Widget(), ch);
	return true;
}

Boolean LTextEditView::ObeyCommand(CommandT inCommand, void* ioParam)
{
	auto* edit = mNative->As<QPlainTextEdit>();
	switch (inCommand) {
	case cmd_Cut:
		edit->cut();
		return true;
	case cmd_Copy:
		edit->copy();
		return true;
	case cmd_Paste:
		edit->paste();
		return true;
	case cmd_Clear:
		edit->textCursor().removeSelectedText();
		return true;
	case cmd_SelectAll:
		edit->selectAll();
		return true;
	default:
		return LCommander::ObeyCommand(inCommand, ioParam);
	}
}

void LTextEditView::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                      UInt16& outMark, Str255 outName)
{
	auto* edit = mNative->As<QPlainTextEdit>();
	const bool selection = edit->textCursor().hasSelection();
	switch (inCommand) {
	case cmd_Cut:
	case cmd_Clear:
		outEnabled = selection && !edit->isReadOnly();
		break;
	case cmd_Copy:
		outEnabled = selection;
		break;
	case cmd_Paste: {
		QClipboard* clipboard = QApplication::clipboard();
		outEnabled = !edit->isReadOnly() && clipboard && !clipboard->text().isEmpty();
		break;
	}
	case cmd_SelectAll:
		outEnabled = !edit->toPlainText().isEmpty();
		break;
	default:
		LCommander::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
	}
}

void LTextEditView::ClickSelf(const SMouseDownEvent&)
{
	if (!IsTarget())
		SwitchTarget(this);
}

Boolean LTextEditView::AllowBeTarget(LCommander*)
{
	return IsEnabled() && IsVisibleSelf();
}

void LTextEditView::BeTarget()
{
	mNative->Widget()->setFocus(Qt::OtherFocusReason);
}

void LTextEditView::DontBeTarget()
{
	if (mNative->Widget()->hasFocus())
		if (QWidget* content = QtPaneWidget::ContentOf(GetWindow()))
			content->setFocus(Qt::OtherFocusReason);
}
