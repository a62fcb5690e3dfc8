// One step of a full-width ticker as the user sees it: composing the next 1920 x 48 frame from the
// ticklets' pictures, copying it into the window's image, and the window painting it to the screen, against
// one memcpy of the window frame's bytes in the same run.

#include "bench/VsMemcpy.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "tests/ticker/TickerTestSupport.h"
#include "ticker/TZvTicker.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <vector>

namespace
{

constexpr SInt16 kWidth = 1920, kHeight = 48;

void ComposeAndCopy(benchmark::State& state)
{
	setenv("QT_QPA_PLATFORM", "offscreen", 0);
	TickerTest::EnsureApplication();
	SPaneInfo info;
	info.width = kWidth;
	info.height = kHeight;
	const unsigned char title[] = {6, 'T', 'i', 'c', 'k', 'e', 'r'};
	LWindow window(info, title, windAttr_Regular | windAttr_NoMenuBar, nullptr);
	TZvTicker engine;
	const Rect frame{0, 0, kHeight, kWidth};
	engine.Init(&window, &frame);
	engine.StopRepeating();
	engine.StopIdling();
	engine.SetSpeed(14);
	// Securities of 90 to 250 pixels, more than the strip holds.
	std::vector<std::unique_ptr<TickerTest::SolidTicklet>> ticklets;
	for (int i = 0; i < 20; ++i) {
		const RGBColor colour = i % 2 ? TickerTest::kRed : TickerTest::kGreen;
		ticklets.push_back(
		    std::make_unique<TickerTest::SolidTicklet>(UInt16(90 + (i * 37) % 160), colour));
		engine.AddTicklet(ticklets.back().get(), -1);
	}
	window.Show();
	QWidget* shown = nullptr;
	for (QWidget* top : QApplication::topLevelWidgets())
		if (top->isVisible() && top->windowTitle() == "Ticker")
			shown = top;
	// Only an exposed window paints.
	for (int pass = 0; pass < 1000 && shown != nullptr &&
	                   !(shown->windowHandle() && shown->windowHandle()->isExposed());
	     ++pass)
		QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
	if (shown == nullptr || !shown->windowHandle()->isExposed()) {
		state.SkipWithError("the ticker window is not shown");
		return;
	}
	const auto step = [&] {
		engine.Draw();
		LWindow::AfterDispatch();
		shown->repaint();
	};
	step();
	Measure(state, size_t(kWidth) * kHeight * 4, step);
}

BENCHMARK(ComposeAndCopy);

} // namespace
