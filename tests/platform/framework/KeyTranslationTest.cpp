#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LAttachment.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/UKeyFilters.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace FrameworkTest;

namespace
{

// Records the events the application's attachments see.
class TWatcher : public LAttachment
{
public:
	TWatcher() : LAttachment(msg_Event, true) {}
	std::vector<EventRecord> mEvents;

protected:
	void ExecuteSelf(MessageT, void* ioParam) override
	{
		const auto* e = static_cast<EventRecord*>(ioParam);
		if (e->what != nullEvent)
			mEvents.push_back(*e);
	}
};

class KeyTranslationTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		mApp = std::make_unique<LApplication>();
		mApp->AddAttachment(&mWatcher, nullptr, false);
		mWindow = dynamic_cast<TWindow*>(LWindow::CreateWindow(1000, mApp.get()));
		ASSERT_NE(mWindow, nullptr);
		mWindow->Show();
		mWindow->Select();
		mContent = nullptr;
		for (QWidget* w : QApplication::topLevelWidgets())
			if (w->isVisible() && w->windowTitle() == "Test Window")
				for (QObject* child : w->children())
					if (auto* widget = qobject_cast<QWidget*>(child);
					    widget && widget->focusPolicy() == Qt::StrongFocus)
						mContent = widget;
		ASSERT_NE(mContent, nullptr);
	}
	void TearDown() override
	{
		mApp->RemoveAttachment(&mWatcher);
		mApp.reset();
	}

	EventRecord Press(int key, Qt::KeyboardModifiers modifiers, const QString& text = QString(),
	                  bool repeat = false)
	{
		mWatcher.mEvents.clear();
		QKeyEvent event(QEvent::KeyPress, key, modifiers, text, repeat);
		QCoreApplication::sendEvent(mContent, &event);
		return mWatcher.mEvents.empty() ? EventRecord{} : mWatcher.mEvents.back();
	}

	TWatcher mWatcher;
	std::unique_ptr<LApplication> mApp;
	TWindow* mWindow = nullptr;
	QWidget* mContent = nullptr;
};

TEST_F(KeyTranslationTest, SpecialKeysBecomeTheToolboxCharacterCodes)
{
	struct Row {
		int qtKey;
		UInt8 charCode;
		UInt8 keyCode;
	};
	const Row rows[] = {
	    {Qt::Key_Enter, 3, 0x4C},     {Qt::Key_Backspace, 8, 0x33}, {Qt::Key_Return, 13, 0x24},
	    {Qt::Key_Escape, 27, 0x35},   {Qt::Key_Left, 28, 0x7B},     {Qt::Key_Right, 29, 0x7C},
	    {Qt::Key_Up, 30, 0x7E},       {Qt::Key_Down, 31, 0x7D},     {Qt::Key_Delete, 127, 0x75},
	    {Qt::Key_Home, 1, 0x73},      {Qt::Key_End, 4, 0x77},       {Qt::Key_PageUp, 11, 0x74},
	    {Qt::Key_PageDown, 12, 0x79}, {Qt::Key_Tab, 9, 0x30},       {Qt::Key_Space, 32, 0x31}};
	for (const Row& row : rows) {
		const EventRecord e = Press(row.qtKey, Qt::NoModifier);
		EXPECT_EQ(e.what, keyDown) << row.qtKey;
		EXPECT_EQ(e.message & charCodeMask, row.charCode) << row.qtKey;
		EXPECT_EQ((e.message & keyCodeMask) >> 8, row.keyCode) << row.qtKey;
	}
}

TEST_F(KeyTranslationTest, ModifiersMapCtrlToCommandAltToOptionMetaToControl)
{
	EventRecord e = Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier, "\x13");
	EXPECT_EQ(e.modifiers & (cmdKey | shiftKey | optionKey | controlKey), cmdKey | shiftKey);
	EXPECT_EQ(e.message & charCodeMask, UInt32('S')); // the key's character, not Qt's control character
	EXPECT_EQ((e.message & keyCodeMask) >> 8, 0x01u);
	e = Press(Qt::Key_A, Qt::AltModifier | Qt::MetaModifier, "a");
	EXPECT_EQ(e.modifiers & (cmdKey | optionKey | controlKey), optionKey | controlKey);
	EXPECT_EQ(e.message & charCodeMask, UInt32('a'));
}

TEST_F(KeyTranslationTest, TextBecomesMacRomanAndRepeatsAreAutoKeys)
{
	EventRecord e = Press(Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"));
	EXPECT_EQ(e.message & charCodeMask, 0x8Eu); // é in Mac Roman
	e = Press(Qt::Key_X, Qt::NoModifier, "x", true);
	EXPECT_EQ(e.what, autoKey);
}

TEST_F(KeyTranslationTest, CommandPeriodIsRecognised)
{
	const EventRecord e = Press(Qt::Key_Period, Qt::ControlModifier, "");
	EXPECT_TRUE(UKeyFilters::IsCmdPeriod(e));
	EXPECT_FALSE(UKeyFilters::IsCmdPeriod(Press(Qt::Key_Period, Qt::NoModifier, ".")));
}

TEST_F(KeyTranslationTest, KeysReachTheTargetAndReleasesOnlyTheAttachments)
{
	std::vector<UInt32> keys;
	mWindow->mOnKey = [&](const EventRecord& e) {
		keys.push_back(e.message & charCodeMask);
		return true;
	};
	Press(Qt::Key_Q, Qt::NoModifier, "q");
	mWatcher.mEvents.clear();
	QKeyEvent release(QEvent::KeyRelease, Qt::Key_Q, Qt::NoModifier, "q");
	QCoreApplication::sendEvent(mContent, &release);
	EXPECT_EQ(keys, (std::vector<UInt32>{'q'}));
	ASSERT_EQ(mWatcher.mEvents.size(), 1u);
	EXPECT_EQ(mWatcher.mEvents[0].what, keyUp);
}

TEST_F(KeyTranslationTest, RightClickIsAControlClickAndQuickClicksCount)
{
	auto* blue = dynamic_cast<TPane*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("blue")));
	const QPointF local(20, 30);
	const QPointF global = mContent->mapToGlobal(local);
	QMouseEvent right(QEvent::MouseButtonPress, local, global, Qt::RightButton, Qt::RightButton,
	                  Qt::NoModifier);
	QCoreApplication::sendEvent(mContent, &right);
	ASSERT_EQ(blue->mClicks, 1);
	EXPECT_EQ(blue->mLastClick.macEvent.what, mouseDown);
	EXPECT_TRUE(blue->mLastClick.macEvent.modifiers & controlKey);
	EXPECT_EQ(blue->mLastClick.wherePort.h, 20);
	EXPECT_EQ(blue->mLastClick.wherePort.v, 30);

	QMouseEvent left(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
	                 Qt::NoModifier);
	QCoreApplication::sendEvent(mContent, &left);
	EXPECT_FALSE(blue->mLastClick.macEvent.modifiers & controlKey);
	EXPECT_EQ(blue->mLastClick.clickCount, 2); // within the double-click time, by the tick clock
}

TEST_F(KeyTranslationTest, ContentAreaSitsAtTheWindowsGlobalBounds)
{
	QCoreApplication::processEvents();
	EXPECT_EQ(mContent->mapToGlobal(QPoint(0, 0)), QPoint(40, 60));
	EXPECT_EQ(mContent->size(), QSize(300, 200));
	mWindow->MoveWindowTo(70, 90);
	QCoreApplication::processEvents();
	EXPECT_EQ(mContent->mapToGlobal(QPoint(0, 0)), QPoint(70, 90));
}

// The fields that edit for themselves are sent the key of a character code: it must read back as that code.
TEST(QtKeyTest, CharacterCodesReadBackAsTheSameCode)
{
	int translated = 0;
	for (int code = 0; code < 256; ++code) {
		int key = 0;
		std::string text;
		if (!QtEventTranslation::QtKey(UInt8(code), key, text))
			continue;
		++translated;
		UInt32 message = 0;
		ASSERT_TRUE(QtEventTranslation::KeyMessage(key, text, 0, message)) << code;
		EXPECT_EQ(message & charCodeMask, UInt32(code)) << code;
	}
	EXPECT_EQ(translated, 256 - 32 + 15); // every printing code and the control codes keys give

	int key = 0;
	std::string text;
	EXPECT_FALSE(QtEventTranslation::QtKey(0, key, text));
	ASSERT_TRUE(QtEventTranslation::QtKey(char_Return, key, text));
	EXPECT_EQ(key, Qt::Key_Return);
	EXPECT_EQ(text, "\r");
	ASSERT_TRUE(QtEventTranslation::QtKey(char_Backspace, key, text));
	EXPECT_EQ(key, Qt::Key_Backspace);
	EXPECT_EQ(text, "");
	ASSERT_TRUE(QtEventTranslation::QtKey('a', key, text));
	EXPECT_EQ(key, Qt::Key_A);
	EXPECT_EQ(text, "a");
	ASSERT_TRUE(QtEventTranslation::QtKey(0x8E, key, text)); // e acute
	EXPECT_EQ(text, "\xC3\xA9");
}

} // namespace
