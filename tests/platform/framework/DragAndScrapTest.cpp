#include "platform/framework/LDragAndDrop.h"
#include "platform/framework/LDragTask.h"
#include "platform/framework/QtWindowWidget.h"
#include "platform/framework/UScrap.h"
#include "platform/toolbox/gui/QtDrag.h"
#include "tests/platform/framework/FrameworkTestSupport.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
using FrameworkTest::EnsureApplication;

constexpr FlavorType kListFlavor = FOUR_CHAR_CODE("stSL");
constexpr FlavorType kEntryFlavor = FOUR_CHAR_CODE("zvDF");

std::string FlavorBytes(DragReference inDrag, ItemReference inItem, FlavorType inFlavor,
                        OSErr* outErr = nullptr)
{
	Size size = 0;
	OSErr err = GetFlavorDataSize(inDrag, inItem, inFlavor, &size);
	std::string bytes(size_t(size > 0 ? size : 0), '\0');
	if (err == noErr)
		err = GetFlavorData(inDrag, inItem, inFlavor, bytes.data(), &size, 0);
	if (outErr)
		*outErr = err;
	return err == noErr ? bytes.substr(0, size_t(size)) : std::string();
}

// A pane that takes items carrying one flavour and keeps copies of what it received.
class TDropPane : public LPane, public LDragAndDrop
{
public:
	TDropPane(const SPaneInfo& inInfo, FlavorType inAccepted)
	    : LPane(inInfo), LDragAndDrop(this), mAccepted(inAccepted)
	{
	}

	Boolean ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef) override
	{
		FlavorFlags flags;
		return GetFlavorFlags(inDragRef, inItemRef, mAccepted, &flags) == noErr;
	}
	void EnterDropArea(DragReference inDragRef, Boolean inDragHasLeftSender) override
	{
		mEvents.push_back(inDragHasLeftSender ? "enter, left sender" : "enter");
		LDragAndDrop::EnterDropArea(inDragRef, inDragHasLeftSender);
	}
	void LeaveDropArea(DragReference inDragRef) override
	{
		mEvents.push_back("leave");
		LDragAndDrop::LeaveDropArea(inDragRef);
	}
	void ReceiveDragItem(DragReference inDragRef, DragAttributes inAttributes, ItemReference inItemRef,
	                     Rect&) override
	{
		mAttributes = inAttributes;
		mReceived.push_back(FlavorBytes(inDragRef, inItemRef, mAccepted));
		mReceivedText = FlavorBytes(inDragRef, inItemRef, kDragFlavorTypeText);
	}

	FlavorType mAccepted;
	std::vector<std::string> mEvents;
	std::vector<std::string> mReceived;
	std::string mReceivedText;
	DragAttributes mAttributes = 0;
};

// Rows dragged from a list: the list flavour stays in the program, the entries are promised.
class TRowDragTask : public LDragTask
{
public:
	TRowDragTask(const EventRecord& inEvent, std::string inEntries)
	    : LDragTask(inEvent), mEntries(std::move(inEntries))
	{
	}
	int mSendCalls = 0;
	std::string mEntries;

protected:
	void AddFlavors(DragReference inDragRef) override
	{
		const ItemReference item = ItemReference(this);
		AddDragItemFlavor(inDragRef, item, kListFlavor, "rows", 4, flavorSenderOnly);
		AddDragItemFlavor(inDragRef, item, kEntryFlavor, nullptr, 0, flavorSenderTranslated);
		const char text[] = "AAPL\tApple\tNasdaq\n";
		AddDragItemFlavor(inDragRef, item, kDragFlavorTypeText, text, Size(sizeof(text) - 1), 0);
		SetDragSendProc(inDragRef, &TRowDragTask::Send, this);
		AddRectDragItem(item, Rect{110, 110, 130, 300});
	}

private:
	static OSErr Send(FlavorType inType, void* inRefCon, ItemReference inItem, DragReference inDrag)
	{
		auto* task = static_cast<TRowDragTask*>(inRefCon);
		++task->mSendCalls;
		if (inType != kEntryFlavor)
			return cantGetFlavorErr;
		return SetDragItemFlavorData(inDrag, inItem, inType, task->mEntries.data(),
		                             Size(task->mEntries.size()), 0);
	}
};

QWidget* ContentOf(LWindow* inWindow)
{
	for (QWidget* top : QApplication::topLevelWidgets())
		if (auto* w = dynamic_cast<QtWindowWidget*>(top); w && w->Owner() == inWindow)
			return w->Content();
	return nullptr;
}

// Moves a drag's data over a window to a port point and drops it there, as the window system would;
// true when the drop was taken.
bool DropOn(LWindow* inWindow, const QMimeData* inData, QPoint inPortPoint,
            Qt::KeyboardModifiers inModifiers = Qt::NoModifier)
{
	QWidget* content = ContentOf(inWindow);
	EXPECT_NE(content, nullptr);
	if (!content)
		return false;
	const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
	QDragEnterEvent enter(inPortPoint, actions, inData, Qt::LeftButton, inModifiers);
	QCoreApplication::sendEvent(content, &enter);
	QDragMoveEvent move(inPortPoint, actions, inData, Qt::LeftButton, inModifiers);
	QCoreApplication::sendEvent(content, &move);
	QDropEvent drop(QPointF(inPortPoint), actions, inData, Qt::NoButton, inModifiers);
	QCoreApplication::sendEvent(content, &drop);
	return drop.isAccepted();
}

class DragTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		EnsureApplication();
		mSender = MakeWindow(100, 100);
		mTarget = MakeWindow(500, 100);
		SPaneInfo info;
		info.left = 20;
		info.top = 20;
		info.width = 200;
		info.height = 100;
		info.superView = mTarget;
		mDropPane = new TDropPane(info, kEntryFlavor);
		info.top = 140;
		mTextPane = new TDropPane(info, kDragFlavorTypeText);
		mSender->Show();
		mTarget->Show();
	}
	void TearDown() override
	{
		SetDragTracker(nullptr);
		delete mSender;
		delete mTarget;
	}

	static LWindow* MakeWindow(SInt16 inLeft, SInt16 inTop)
	{
		SPaneInfo info;
		info.left = inLeft;
		info.top = inTop;
		info.width = 300;
		info.height = 300;
		return new LWindow(info, (ConstStr255Param) "\4Test", windAttr_Regular | windAttr_TitleBar,
		                   nullptr);
	}

	static EventRecord MouseDownIn(LWindow* inWindow, SInt16 inModifiers = 0)
	{
		EventRecord event;
		event.what = mouseDown;
		Rect bounds;
		inWindow->GetGlobalBounds(bounds);
		event.where = Point{SInt16(bounds.top + 15), SInt16(bounds.left + 15)};
		event.modifiers = UInt16(inModifiers);
		return event;
	}

	LWindow* mSender = nullptr;
	LWindow* mTarget = nullptr;
	TDropPane* mDropPane = nullptr;
	TDropPane* mTextPane = nullptr;
};

TEST(FlavorMimeTypeTest, EachFlavourHasItsOwnTypeAndComesBackFromIt)
{
	EXPECT_EQ(QtDrag::MimeTypeForFlavor(kEntryFlavor).toStdString(), "application/x-vantorel-zvDF");
	EXPECT_EQ(QtDrag::MimeTypeForFlavor(FOUR_CHAR_CODE("snd ")).toStdString(),
	          "application/x-vantorel-snd%20");
	for (FlavorType flavor :
	     {kEntryFlavor, kListFlavor, FlavorType(FOUR_CHAR_CODE("snd ")), FlavorType(0x8E2F2521)})
		EXPECT_EQ(QtDrag::FlavorForMimeType(QtDrag::MimeTypeForFlavor(flavor)), flavor);
	EXPECT_EQ(QtDrag::FlavorForMimeType("text/plain"), 0u);
	EXPECT_EQ(QtDrag::FlavorForMimeType("application/x-vantorel-toolong"), 0u);
	EXPECT_EQ(QtDrag::FlavorForMimeType("application/x-vantorel-ab"), 0u);
}

TEST(ScrapTest, FlavoursRoundTripAndTextIsOfferedAsPlainText)
{
	EnsureApplication();
	const std::string entries("\x00\x64"
	                          "AAPL\x00"
	                          "Apple",
	                          12);
	UScrap::SetData(kEntryFlavor, entries.data(), SInt32(entries.size()));
	const std::string text = "Caf\x8E\tQuote\n"; // Mac Roman e-acute
	UScrap::SetData(kDragFlavorTypeText, text.data(), SInt32(text.size()), false);

	std::string read;
	EXPECT_EQ(UScrap::GetData(kEntryFlavor, &read), SInt32(entries.size()));
	EXPECT_EQ(read, entries);
	EXPECT_EQ(UScrap::GetData(kDragFlavorTypeText, &read), SInt32(text.size()));
	EXPECT_EQ(read, text);
	EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "Caf\xC3\xA9\tQuote\n");
	EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-vantorel-zvDF"));

	// A reset replaces everything that was there.
	UScrap::SetData(kListFlavor, "x", 1);
	EXPECT_FALSE(UScrap::HasData(kEntryFlavor));
	EXPECT_FALSE(UScrap::HasData(kDragFlavorTypeText));
	EXPECT_EQ(UScrap::GetData(kEntryFlavor, &read), 0);
	EXPECT_TRUE(read.empty());
}

TEST(ScrapTest, TextCopiedByAnotherProgramReadsAsMacRomanText)
{
	EnsureApplication();
	QGuiApplication::clipboard()->setText(QString::fromUtf8("Z\xC3\xBCrich \xE2\x82\xAC"));
	std::string read;
	ASSERT_TRUE(UScrap::HasData(kDragFlavorTypeText));
	UScrap::GetData(kDragFlavorTypeText, &read);
	EXPECT_EQ(read, "Z\x9Frich \xDB"); // u-umlaut and the euro sign in Mac Roman
	UScrap::ClearData();
	EXPECT_FALSE(UScrap::HasData(kDragFlavorTypeText));
}

TEST_F(DragTest, RowsDraggedToAnotherWindowArriveByValueWithPromisedDataMadeOnDemand)
{
	TRowDragTask task(MouseDownIn(mSender), std::string("\x00\x64"
	                                                    "AAPL",
	                                                    6));
	std::vector<std::string> offered;
	int sendsBeforeDrop = -1;
	bool dropped = false;
	SetDragTracker([&](DragReference inDrag) -> OSErr {
		std::unique_ptr<QMimeData> data(QtDrag::NewMimeDataForDrag(inDrag));
		for (const QString& format : data->formats())
			offered.push_back(format.toStdString());
		sendsBeforeDrop = task.mSendCalls;
		dropped = DropOn(mTarget, data.get(), QPoint(50, 50));
		return dropped ? OSErr(noErr) : OSErr(userCanceledErr);
	});
	EXPECT_EQ(task.DoDrag(), noErr);

	// Other programs see the entries and the text; the list flavour stays inside.
	EXPECT_EQ(offered, (std::vector<std::string>{"application/x-vantorel-zvDF",
	                                             "application/x-vantorel-TEXT", "text/plain"}));
	EXPECT_EQ(sendsBeforeDrop, 0);
	EXPECT_EQ(task.mSendCalls, 1);
	ASSERT_TRUE(dropped);
	ASSERT_EQ(mDropPane->mReceived.size(), 1u);
	EXPECT_EQ(mDropPane->mReceived[0], std::string("\x00\x64"
	                                               "AAPL",
	                                               6));
	EXPECT_EQ(mDropPane->mReceivedText, "AAPL\tApple\tNasdaq\n");
	EXPECT_TRUE(mTextPane->mReceived.empty());
	EXPECT_EQ(mDropPane->mEvents, (std::vector<std::string>{"enter, left sender", "leave"}));
	EXPECT_FALSE(mDropPane->IsHilited());
	EXPECT_TRUE(mDropPane->mAttributes & kDragInsideSenderApplication);
	EXPECT_FALSE(mDropPane->mAttributes & kDragInsideSenderWindow);
	// The receiver holds its own copy: what the sender does later does not reach it.
	task.mEntries.assign("changed");
	EXPECT_EQ(mDropPane->mReceived[0], std::string("\x00\x64"
	                                               "AAPL",
	                                               6));
}

TEST_F(DragTest, TheSenderOnlyFlavourReachesAReceiverInTheSameProgram)
{
	mDropPane->mAccepted = kListFlavor;
	TRowDragTask task(MouseDownIn(mSender), "e");
	SetDragTracker([&](DragReference inDrag) -> OSErr {
		std::unique_ptr<QMimeData> data(QtDrag::NewMimeDataForDrag(inDrag));
		return DropOn(mTarget, data.get(), QPoint(50, 50)) ? OSErr(noErr) : OSErr(userCanceledErr);
	});
	EXPECT_EQ(task.DoDrag(), noErr);
	ASSERT_EQ(mDropPane->mReceived.size(), 1u);
	EXPECT_EQ(mDropPane->mReceived[0], "rows");
	EXPECT_EQ(task.mSendCalls, 0); // the list flavour had its data from the start
}

TEST_F(DragTest, ADropWhereNoPaneTakesTheDragIsRefused)
{
	TRowDragTask task(MouseDownIn(mSender), "e");
	SetDragTracker([&](DragReference inDrag) -> OSErr {
		std::unique_ptr<QMimeData> data(QtDrag::NewMimeDataForDrag(inDrag));
		// Outside both panes, then on the text pane with a drag that carries text too: the text pane
		// takes it.
		EXPECT_FALSE(DropOn(mTarget, data.get(), QPoint(280, 280)));
		return DropOn(mTarget, data.get(), QPoint(50, 160)) ? OSErr(noErr) : OSErr(userCanceledErr);
	});
	EXPECT_EQ(task.DoDrag(), noErr);
	EXPECT_TRUE(mDropPane->mReceived.empty());
	ASSERT_EQ(mTextPane->mReceived.size(), 1u);
	EXPECT_EQ(mTextPane->mReceived[0], "AAPL\tApple\tNasdaq\n");
}

TEST_F(DragTest, DropsFromOtherProgramsBringTheirFlavoursAndPlainText)
{
	QMimeData foreign;
	foreign.setData("application/x-vantorel-zvDF", QByteArray("\x00\x65"
	                                                          "FUND",
	                                                          6));
	foreign.setText(QString::fromUtf8("Gen\xC3\xA8ve"));
	ASSERT_TRUE(DropOn(mTarget, &foreign, QPoint(50, 50)));
	ASSERT_EQ(mDropPane->mReceived.size(), 1u);
	EXPECT_EQ(mDropPane->mReceived[0], std::string("\x00\x65"
	                                               "FUND",
	                                               6));
	EXPECT_EQ(mDropPane->mReceivedText, "Gen\x8Fve");
	EXPECT_FALSE(mDropPane->mAttributes & kDragInsideSenderApplication);

	QMimeData picture;
	picture.setData("image/png", QByteArray("\x89PNG", 4));
	EXPECT_FALSE(DropOn(mTarget, &picture, QPoint(50, 160)));
	EXPECT_TRUE(mTextPane->mReceived.empty());
}

TEST_F(DragTest, ADragInsideItsOwnWindowIsMarkedSoAndHilitesNothingOnEntry)
{
	SPaneInfo info;
	info.left = 20;
	info.top = 60;
	info.width = 200;
	info.height = 100;
	info.superView = mSender;
	auto* own = new TDropPane(info, kEntryFlavor);
	TRowDragTask task(MouseDownIn(mSender, optionKey), "e");
	SetDragTracker([&](DragReference inDrag) -> OSErr {
		std::unique_ptr<QMimeData> data(QtDrag::NewMimeDataForDrag(inDrag));
		return DropOn(mSender, data.get(), QPoint(50, 80)) ? OSErr(noErr) : OSErr(userCanceledErr);
	});
	EXPECT_EQ(task.DoDrag(), noErr);
	ASSERT_EQ(own->mReceived.size(), 1u);
	EXPECT_TRUE(own->mAttributes & kDragInsideSenderWindow);
	EXPECT_EQ(own->mEvents, (std::vector<std::string>{"enter", "leave"}));
	SInt16 now, down, up;
	ASSERT_EQ(GetDragModifiers(task.GetDragReference(), &now, &down, &up), noErr);
	EXPECT_TRUE(down & optionKey);
}

TEST_F(DragTest, TheHiliteFramesThePaneAndLeavesNoTrace)
{
	QMimeData foreign;
	foreign.setData("application/x-vantorel-zvDF", QByteArray("x"));
	QWidget* content = ContentOf(mTarget);
	ASSERT_NE(content, nullptr);
	EXPECT_TRUE(content->acceptDrops());
	mTarget->UpdatePort();
	RGBColor before, during, after;
	auto pixel = [&](RGBColor& outColor) {
		SetPort(mTarget->GetMacPort());
		SetOrigin(0, 0);
		GetCPixel(20, 20, &outColor); // the pane's top-left corner, on the hilite frame
	};
	pixel(before);
	QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &foreign, Qt::LeftButton, Qt::NoModifier);
	QCoreApplication::sendEvent(content, &enter);
	EXPECT_TRUE(mDropPane->IsHilited());
	pixel(during);
	QDragLeaveEvent leave;
	QCoreApplication::sendEvent(content, &leave);
	EXPECT_FALSE(mDropPane->IsHilited());
	pixel(after);
	EXPECT_NE(before.red, during.red);
	EXPECT_EQ(before.red, after.red);
	EXPECT_EQ(before.blue, after.blue);
}

TEST(DragManagerTest, FlavourDataIsReadInPiecesAndBadReferencesAreRefused)
{
	DragReference drag = nullptr;
	ASSERT_EQ(NewDrag(&drag), noErr);
	ASSERT_EQ(AddDragItemFlavor(drag, 7, kEntryFlavor, "abcdef", 6, 0), noErr);
	EXPECT_EQ(AddDragItemFlavor(drag, 7, kEntryFlavor, "x", 1, 0), duplicateFlavorErr);
	char buffer[4] = {};
	Size size = 4;
	ASSERT_EQ(GetFlavorData(drag, 7, kEntryFlavor, buffer, &size, 4), noErr);
	EXPECT_EQ(size, 2);
	EXPECT_EQ(std::string(buffer, 2), "ef");
	EXPECT_EQ(GetFlavorData(drag, 8, kEntryFlavor, buffer, &size, 0), badDragItemErr);
	// Promised data with no one to supply it.
	ASSERT_EQ(AddDragItemFlavor(drag, 7, kListFlavor, nullptr, 0, flavorSenderOnly), noErr);
	size = 4;
	EXPECT_EQ(GetFlavorData(drag, 7, kListFlavor, buffer, &size, 0), cantGetFlavorErr);
	ASSERT_EQ(DisposeDrag(drag), noErr);
	EXPECT_EQ(CountDragItems(drag, nullptr), badDragRefErr);
}

TEST(DragManagerTest, MimeDataOutlivingItsDragOffersNothing)
{
	EnsureApplication();
	DragReference drag = nullptr;
	NewDrag(&drag);
	AddDragItemFlavor(drag, 1, kDragFlavorTypeText, "hi", 2, 0);
	std::unique_ptr<QMimeData> data(QtDrag::NewMimeDataForDrag(drag));
	EXPECT_EQ(data->text().toStdString(), "hi");
	DisposeDrag(drag);
	EXPECT_TRUE(data->formats().isEmpty());
	EXPECT_TRUE(data->text().isEmpty());
}
} // namespace
