#include "platform/framework/LClock.h"

#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UKeyFilters.h"

#include <QDateTimeEdit>

namespace
{
// Keys that mean something to the window rather than to the field.
bool IsWindowKey(const EventRecord& inKey)
{
	const UInt16 ch = UInt16(inKey.message & charCodeMask);
	return (inKey.modifiers & cmdKey) || ch == char_Tab || ch == char_Return || ch == char_Enter ||
	       ch == char_Escape;
}
} // namespace

LClock::LClock(LStream* inStream) : LControl(inStream)
{
	*inStream >> mKind >> mTxtrID;
	auto* edit = new QDateTimeEdit(QDateTime(QDate(2000, 1, 1), QTime(0, 0, 0)));
	edit->setFocusPolicy(Qt::ClickFocus);
	edit->setTimeSpec(Qt::UTC);
	edit->setDisplayFormat(mKind == kind_Time       ? QStringLiteral("HH:mm:ss")
	                       : mKind == kind_DateTime ? QStringLiteral("yyyy-MM-dd HH:mm")
	                                                : QStringLiteral("yyyy-MM-dd"));
	auto* native = new QtPaneWidget(this, edit, true);
	native->mKeepKey = [](const EventRecord& inKey) { return !IsWindowKey(inKey); };
	QObject::connect(edit, &QDateTimeEdit::dateTimeChanged, native, [this] {
		if (!mSetting)
			BroadcastValueMessage();
	});
	SetNative(native);
}

void LClock::SetLongDate(const LongDateRec& inDate)
{
	const QDate date(inDate.year, inDate.month, inDate.day);
	const QTime time(inDate.hour, inDate.minute, inDate.second);
	if (!date.isValid() || !time.isValid())
		return;
	mSetting = true;
	mNative->As<QDateTimeEdit>()->setDateTime(QDateTime(date, time, Qt::UTC));
	mSetting = false;
	Refresh();
}

void LClock::GetLongDate(LongDateRec& outDate) const
{
	const QDateTime value = mNative->As<QDateTimeEdit>()->dateTime();
	const QDate date = value.date();
	const QTime time = value.time();
	outDate = LongDateRec();
	outDate.year = SInt16(date.year());
	outDate.month = SInt16(date.month());
	outDate.day = SInt16(date.day());
	outDate.hour = SInt16(time.hour());
	outDate.minute = SInt16(time.minute());
	outDate.second = SInt16(time.second());
	outDate.dayOfWeek = SInt16(date.dayOfWeek() % 7 + 1);
	outDate.dayOfYear = SInt16(date.dayOfYear());
	outDate.weekOfYear = SInt16(date.weekNumber());
	outDate.pm = time.hour() >= 12 ? 1 : 0;
}

Boolean LClock::HandleKeyPress(const EventRecord& inKeyEvent)
{
	if (IsWindowKey(inKeyEvent))
		return LCommander::HandleKeyPress(inKeyEvent);
	// The field's own editing, as if typed into it.
	const UInt8 ch = UInt8(inKeyEvent.message & charCodeMask);
	if (ch == char_LeftArrow || ch == char_RightArrow || ch == char_UpArrow || ch == char_DownArrow ||
	    ch == char_Backspace || (ch >= '0' && ch <= '9'))
		QtEventTranslation::SendKeyPress(mNative->Widget(), ch);
	return true;
}

void LClock::ClickSelf(const SMouseDownEvent&)
{
	if (!IsTarget())
		SwitchTarget(this);
}

Boolean LClock::AllowBeTarget(LCommander*)
{
	return IsEnabled() && IsVisibleSelf();
}

void LClock::BeTarget()
{
	mNative->Widget()->setFocus(Qt::OtherFocusReason);
}

void LClock::DontBeTarget()
{
	if (mNative->Widget()->hasFocus())
		if (QWidget* content = QtPaneWidget::ContentOf(GetWindow()))
			content->setFocus(Qt::OtherFocusReason);
}
