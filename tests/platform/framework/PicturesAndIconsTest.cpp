#include "ControlsTestSupport.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCicnButton.h"
#include "platform/framework/LPicture.h"
#include "platform/framework/UEnvironment.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/Icons.h"
#include "platform/toolbox/gui/Pictures.h"

#include <QImage>
#include <QToolButton>

using namespace ControlsTest;
using FrameworkTest::FindPane;

namespace
{

const QRgb kWhite = qRgb(255, 255, 255);

// An icon button the test can press and release without a mouse.
class TPressableCicnButton : public LCicnButton
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tCic") };
	explicit TPressableCicnButton(LStream* inStream) : LCicnButton(inStream) {}
	void Press(Boolean inInside) { HotSpotAction(kControlButtonPart, inInside, !inInside); }
};
const QRgb kSortBlue = qRgb(40, 90, 170); // the sort icons' arrow

void LoadShippedImages()
{
	LoadControlFixtures();
	static bool loaded = false;
	if (loaded)
		return;
	RegisterClass_(TPressableCicnButton);
	std::string error;
	if (!ResourceStore::Get().LoadFile(std::string(VANTOREL_FIXTURES) + "/../../resources/Images.res",
	                                   &error))
		ADD_FAILURE() << error;
	ASSERT_TRUE(ResourceStore::Get().LoadText(R"(
PPob 7900 {
	'wind' 7900 40 40 200 100  str "Pictures" u32 0x20000042 i16 -1 i16 -1 i16 -1 i16 -1 {
		'pict' 'Pict' 10 10 64 64  i16 1004
		'cicn' 'Cicn' 100 10 16 16  i32 4321 i32 0 i32 0 i32 0  i16 1012 i16 1013
		'tCic' 'Prss' 100 40 16 16  i32 0 i32 0 i32 0 i32 0  i16 1012 i16 1013
		'bbut' 'dSrt' 130 10 24 24  code 'dSrt' i32 0 i32 0 i32 0  str "" i16 0 i16 0 i16 0
	}
}
RidL 7900 { 'Cicn' }
)",
	                                          "pictures", &error))
	    << error;
	loaded = true;
}

class PicturesAndIconsTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadShippedImages();
		mImage = QImage(40, 40, QImage::Format_RGB32);
		mImage.fill(Qt::white);
		mPort = NewImagePort(&mImage);
		SetPort(mPort);
	}
	void TearDown() override
	{
		SetPort(nullptr);
		DisposePort(mPort);
	}
	QRgb Pixel(int x, int y) const { return mImage.pixel(x, y) | 0xFF000000; }

	QImage mImage;
	GrafPtr mPort = nullptr;
};

TEST_F(PicturesAndIconsTest, EveryNumberTheWindowsNameHasAnImage)
{
	for (SInt16 id : {1012, 1013, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037}) {
		CIconHandle icon = GetCIcon(id);
		ASSERT_NE(icon, nullptr) << id;
		EXPECT_EQ((**icon).iconPMap.bounds.right, 16) << id;
		EXPECT_EQ((**icon).iconPMap.bounds.bottom, 16) << id;
		DisposeCIcon(icon);
	}
	for (SInt16 id : {1004, 1100}) {
		PicHandle picture = GetPicture(id);
		ASSERT_NE(picture, nullptr) << id;
		Rect bounds;
		QDGetPictureBounds(picture, &bounds);
		EXPECT_GT(bounds.right, 0) << id;
		KillPicture(picture);
	}
	EXPECT_EQ(GetCIcon(999), nullptr);
	// The running system counts as one of the current look, whose triangles the tables load.
	EXPECT_GE(UEnvironment::GetOSVersion(), 0x1000);
	EXPECT_EQ(GetPicture(999), nullptr);
}

TEST_F(PicturesAndIconsTest, IconsArePlottedOverWhatIsThereAndScaled)
{
	CIconHandle descending = GetCIcon(1012);
	CIconHandle ascending = GetCIcon(1013);
	Rect r{0, 0, 16, 16};
	PlotCIcon(&r, descending);
	EXPECT_EQ(Pixel(8, 4), kSortBlue); // the shaft above the point
	EXPECT_EQ(Pixel(2, 4), kWhite);    // transparent: the port shows through
	EXPECT_EQ(Pixel(8, 15), kWhite);
	Rect big{16, 0, 48, 32}; // twice the size, right of the first
	PlotCIcon(&big, ascending);
	EXPECT_EQ(Pixel(16, 22), kSortBlue); // the shaft below the point, doubled
	EXPECT_EQ(Pixel(16, 2), kWhite);
	EXPECT_EQ(Pixel(4, 22), kWhite);
	DisposeCIcon(descending);
	DisposeCIcon(ascending);
}

TEST_F(PicturesAndIconsTest, PicturePaneAndIconButtonDrawIntoTheirWindow)
{
	LApplication app;
	TRecorder recorder;
	LWindow* window = LWindow::CreateWindow(7900, &app);
	ASSERT_NE(window, nullptr);
	UReanimator::LinkListenerToControls(&recorder, window, 7900);
	window->Show();
	window->UpdatePort();
	const QImage& port = *window->GetMacPort()->image;
	// The picture's rounded corner leaves the window's white; inside is its dark blue.
	EXPECT_EQ(port.pixel(10, 10) | 0xFF000000, kWhite);
	EXPECT_EQ(port.pixel(42, 13) | 0xFF000000, qRgb(30, 50, 90));
	auto* picture = FindPane<LPicture>(window, "Pict");
	SDimension32 image;
	picture->GetImageSize(image);
	EXPECT_EQ(image.width, 64);

	// The button shows its normal icon (arrow down: shaft at the top), the pushed one (arrow up) while
	// pressed, and broadcasts when released.
	auto* button = FindPane<LCicnButton>(window, "Cicn");
	EXPECT_EQ(port.pixel(108, 14) | 0xFF000000, kSortBlue);
	EXPECT_EQ(port.pixel(108, 25) | 0xFF000000, kWhite);
	button->SimulateHotSpotClick(kControlButtonPart);
	EXPECT_EQ(recorder.Count(4321), 1u);
	EXPECT_EQ(port.pixel(108, 14) | 0xFF000000, kSortBlue);
	auto* pressable = FindPane<TPressableCicnButton>(window, "Prss");
	pressable->Press(true);
	EXPECT_EQ(port.pixel(105, 49) | 0xFF000000, kWhite); // beside the up arrow's shaft
	EXPECT_EQ(port.pixel(108, 53) | 0xFF000000, kSortBlue);
	pressable->Press(false);
	EXPECT_EQ(port.pixel(105, 49) | 0xFF000000, kSortBlue); // inside the down arrow's point

	// A bevel button given an icon shows it.
	auto* bevel = FindPane<LBevelButton>(window, "dSrt");
	ControlButtonContentInfo info;
	info.contentType = kControlContentCIconRes;
	info.u.resID = 1013;
	bevel->SetContentInfo(info);
	auto* native = NativeOf<QToolButton>(bevel);
	ASSERT_NE(native, nullptr);
	EXPECT_EQ(native->iconSize(), QSize(16, 16));
	const QImage shown = native->icon().pixmap(16, 16).toImage();
	EXPECT_EQ(shown.pixel(8, 12) | 0xFF000000, kSortBlue);
	EXPECT_EQ(native->toolButtonStyle(), Qt::ToolButtonIconOnly);
	window->DoClose();
	UDispatch::DeletePending();
}

TEST_F(PicturesAndIconsTest, AResourceFileNamingAMissingImageLoadsNothing)
{
	std::string error;
	EXPECT_FALSE(
	    ResourceStore::Get().LoadText("cicn 7901 \"no/such.png\"\nPICT 7902 \"images/about.png\"",
	                                  std::string(VANTOREL_FIXTURES) + "/../../resources/x.res", &error));
	EXPECT_NE(error.find("x.res:1:"), std::string::npos) << error;
	EXPECT_EQ(ResourceStore::Get().GetPicture(7902), nullptr);
}

} // namespace
