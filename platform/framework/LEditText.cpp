#include "platform/framework/LEditText.h"

#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
QLineEdit* Line(QtPaneWidget* inNative)
{
	return inNative->As<QLineEdit>();
}
} // namespace

LEditText::LEditText(LStream* inStream) : LControlPane(inStream)
{
	Str255 text;
	UInt8 attributes = 0, filter = filter_PrintingChar;
	*inStream >> mValueMessage;
	inStream->ReadPString(text);
	*inStream >> mTxtrID >> mMaxChars >> attributes >> filter;
	if (mMaxChars <= 0)
		mMaxChars = 255;
	switch (filter) {
	case filter_Integer:
		mTEKeyFilter = UKeyFilters::IntegerField;
		break;
	case filter_NegativeInteger:
		mTEKeyFilter = UKeyFilters::NegativeIntegerField;
		break;
	case filter_AlphaNumeric:
		mTEKeyFilter = UKeyFilters::AlphaNumericField;
		break;
	default:
		break;
	}
	auto* line = new QLineEdit;
	line->setFocusPolicy(Qt::ClickFocus);
	line->setMaxLength(mMaxChars);
	if (attributes & editAttr_Password)
		line->setEchoMode(QLineEdit::Password);
	line->setContextMenuPolicy(Qt::NoContextMenu);
	if (const SResTextTraits* traits = ResourceStore::Get().GetTextTraits(mTxtrID);
	    traits && traits->size > 0) {
		QFont font = line->font();
		font.setPixelSize(traits->size);
		line->setFont(font);
	}
	SetNative(new QtPaneWidget(this, line, true));
	SetDescriptor(text);
}

LEditText::~LEditText() = default;

void LEditText::SetDescriptor(ConstStr255Param inDescriptor)
{
	SetText(reinterpret_cast<const char*>(inDescriptor + 1), inDescriptor[0]);
}

StringPtr LEditText::GetDescriptor(Str255 outDescriptor) const
{
	PascalStrings::FromString(MacRomanFromQString(Line(mNative)->text()), outDescriptor);
	return outDescriptor;
}

void LEditText::SetText(const char* inText, Size inLength)
{
	std::string text;
	if (inText && inLength > 0)
		text.assign(inText, size_t(std::min<Size>(inLength, mMaxChars)));
	Line(mNative)->setText(QStringFromMacRoman(text));
	mKeptSelStart = mKeptSelEnd = -1;
	Refresh();
}

void LEditText::GetText(char* outBuffer, Size inBufferSize, Size* outLength) const
{
	const std::string text = MacRomanFromQString(Line(mNative)->text());
	if (outLength)
		*outLength = Size(text.size());
	if (!outBuffer || inBufferSize < 1)
		return;
	const size_t n = std::min(text.size(), size_t(inBufferSize - 1));
	text.copy(outBuffer, n);
	outBuffer[n] = 0;
}

SInt32 LEditText::GetValue() const
{
	return SInt32(std::strtol(MacRomanFromQString(Line(mNative)->text()).c_str(), nullptr, 10));
}

void LEditText::SetValue(SInt32 inValue)
{
	char text[16];
	std::snprintf(text, sizeof text, "%ld", long(inValue));
	SetText(text, Size(std::char_traits<char>::length(text)));
}

void LEditText::SetKeyFilter(TEKeyFilterFunc inFilter)
{
	mTEKeyFilter = inFilter;
	mKeyFilter = nullptr;
}

void LEditText::SetKeyFilter(KeyFilterFunc inFilter)
{
	mKeyFilter = inFilter;
	mTEKeyFilter = nullptr;
}

void LEditText::SetMaxChars(SInt16 inMaxChars)
{
	mMaxChars = inMaxChars > 0 ? inMaxChars : 255;
	QLineEdit* line = Line(mNative);
	line->setMaxLength(mMaxChars);
	if (line->text().size() > mMaxChars)
		line->setText(line->text().left(mMaxChars));
}

void LEditText::SelectAll()
{
	Line(mNative)->selectAll();
}

void LEditText::SetSelection(SInt16 inStart, SInt16 inEnd)
{
	QLineEdit* line = Line(mNative);
	const int length = int(line->text().size());
	const int start = std::clamp<int>(inStart, 0, length);
	const int end = std::clamp<int>(inEnd, start, length);
	line->setSelection(start, end - start);
	if (start == end)
		line->setCursorPosition(start);
}

void LEditText::GetSelection(SInt16& outStart, SInt16& outEnd) const
{
	QLineEdit* line = Line(mNative);
	if (line->hasSelectedText()) {
		outStart = SInt16(line->selectionStart());
		outEnd = SInt16(line->selectionEnd());
	} else {
		outStart = outEnd = SInt16(line->cursorPosition());
	}
}

EKeyStatus LEditText::FilterKey(const EventRecord& inKeyEvent, UInt16& ioChar, const std::string& inText,
                                SInt16 inSelStart, SInt16 inSelEnd) const
{
	if (mKeyFilter)
		return mKeyFilter(inKeyEvent);
	if (mTEKeyFilter) {
		OpaqueTEHandle field;
		field.text = inText.c_str();
		field.length = SInt16(inText.size());
		field.selStart = inSelStart;
		field.selEnd = inSelEnd;
		return mTEKeyFilter(&field, UInt16((inKeyEvent.message & keyCodeMask) >> 8), ioChar,
		                    inKeyEvent.modifiers);
	}
	return keyStatus_Input;
}

EKeyStatus LEditText::FilterKey(const EventRecord& inKeyEvent, UInt16& ioChar) const
{
	SInt16 start = 0, end = 0;
	GetSelection(start, end);
	return FilterKey(inKeyEvent, ioChar, MacRomanFromQString(Line(mNative)->text()), start, end);
}

Boolean LEditText::InsertFiltered(const std::string& inMacRoman)
{
	QLineEdit* line = Line(mNative);
	QString accepted;
	const int room = mMaxChars - int(line->text().size()) + int(line->selectedText().size());
	// Each character is judged against the text as it will stand when the ones before it are in.
	SInt16 start = 0, end = 0;
	GetSelection(start, end);
	std::string text = MacRomanFromQString(line->text());
	text.erase(size_t(start), size_t(end - start));
	for (unsigned char c : inMacRoman) {
		if (int(accepted.size()) >= room)
			break;
		EventRecord key;
		key.what = keyDown;
		key.message = c;
		UInt16 ch = c;
		if (FilterKey(key, ch, text, start, start) == keyStatus_Input) {
			accepted += QChar(char16_t(MacRoman::ToUnicode(UInt8(ch))));
			text.insert(size_t(start++), 1, char(ch));
		}
	}
	if (accepted.isEmpty())
		return false;
	line->insert(accepted);
	return true;
}

Boolean LEditText::HandleKeyPress(const EventRecord& inKeyEvent)
{
	UInt16 ch = UInt16(inKeyEvent.message & charCodeMask);
	if (inKeyEvent.modifiers & cmdKey)
		return LCommander::HandleKeyPress(inKeyEvent);
	QLineEdit* line = Line(mNative);
	const bool extend = (inKeyEvent.modifiers & shiftKey) != 0;
	const QString before = line->text();
	switch (FilterKey(inKeyEvent, ch)) {
	case keyStatus_Input: {
		const int room = mMaxChars - int(before.size()) + int(line->selectedText().size());
		if (room <= 0) {
			QApplication::beep();
			return true;
		}
		line->insert(QString(QChar(char16_t(MacRoman::ToUnicode(UInt8(ch))))));
		break;
	}
	case keyStatus_TEDelete:
		line->backspace();
		break;
	case keyStatus_TECursor:
		if (ch == char_LeftArrow)
			line->cursorBackward(extend);
		else if (ch == char_RightArrow)
			line->cursorForward(extend);
		else if (ch == char_UpArrow)
			line->home(extend);
		else
			line->end(extend);
		break;
	case keyStatus_ExtraEdit:
		if (ch == char_FwdDelete)
			line->del();
		else if (ch == char_Home || ch == char_PageUp)
			line->home(extend);
		else if (ch == char_End || ch == char_PageDown)
			line->end(extend);
		break;
	case keyStatus_Ignore:
		break;
	case keyStatus_Reject:
		QApplication::beep();
		break;
	case keyStatus_PassUp:
		return LCommander::HandleKeyPress(inKeyEvent);
	}
	if (line->text() != before)
		UserChangedText();
	return true;
}

Boolean LEditText::ObeyCommand(CommandT inCommand, void* ioParam)
{
	QLineEdit* line = Line(mNative);
	const QString before = line->text();
	switch (inCommand) {
	case cmd_Cut:
		line->cut();
		break;
	case cmd_Copy:
		line->copy();
		return true;
	case cmd_Paste:
		if (QClipboard* clipboard = QApplication::clipboard())
			InsertFiltered(MacRomanFromQString(clipboard->text()));
		break;
	case cmd_Clear:
		line->del();
		break;
	case cmd_SelectAll:
		line->selectAll();
		return true;
	default:
		return LCommander::ObeyCommand(inCommand, ioParam);
	}
	if (line->text() != before)
		UserChangedText();
	return true;
}

void LEditText::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                  UInt16& outMark, Str255 outName)
{
	QLineEdit* line = Line(mNative);
	switch (inCommand) {
	case cmd_Cut:
	case cmd_Clear:
		outEnabled = line->hasSelectedText() && line->echoMode() == QLineEdit::Normal;
		break;
	case cmd_Copy:
		outEnabled = line->hasSelectedText() && line->echoMode() == QLineEdit::Normal;
		break;
	case cmd_Paste: {
		QClipboard* clipboard = QApplication::clipboard();
		outEnabled = clipboard && !clipboard->text().isEmpty();
		break;
	}
	case cmd_SelectAll:
		outEnabled = !line->text().isEmpty();
		break;
	default:
		LCommander::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
	}
}

void LEditText::ClickSelf(const SMouseDownEvent&)
{
	if (!IsTarget())
		SwitchTarget(this);
}

void LEditText::HideSelf()
{
	LControlPane::HideSelf();
	if (IsOnDuty() && mSuperCommander)
		SwitchTarget(mSuperCommander);
}

void LEditText::DisableSelf()
{
	LControlPane::DisableSelf();
	if (IsOnDuty() && mSuperCommander)
		SwitchTarget(mSuperCommander);
}

Boolean LEditText::AllowBeTarget(LCommander*)
{
	return IsEnabled() && IsVisibleSelf();
}

void LEditText::BeTarget()
{
	QLineEdit* line = Line(mNative);
	line->setFocus(Qt::OtherFocusReason);
	if (mKeptSelStart >= 0)
		SetSelection(mKeptSelStart, mKeptSelEnd);
}

void LEditText::DontBeTarget()
{
	QLineEdit* line = Line(mNative);
	// Another window may take the keys for a moment (as the window manager activates windows): the
	// selection comes back with them.
	GetSelection(mKeptSelStart, mKeptSelEnd);
	line->deselect();
	if (line->hasFocus()) {
		if (QWidget* content = QtPaneWidget::ContentOf(GetWindow()))
			content->setFocus(Qt::OtherFocusReason);
	}
}

void LEditText::UserChangedText()
{
	if (mValueMessage != msg_Nothing)
		BroadcastMessage(mValueMessage, this);
}
