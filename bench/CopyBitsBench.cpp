// The ticker's copies: a 1920 x 48 strip scrolled within its port, and a strip copied with the transparent
// mode from a 16-bit world into a window's port. Each reports its time against one memcpy of the strip's
// bytes, measured in the same run (vs_memcpy), and the allocations per call it made (allocs_per_call).

#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/QDOffscreen.h"
#include "bench/VsMemcpy.h"

#include <benchmark/benchmark.h>

namespace
{

constexpr SInt16 kWidth = 1920, kHeight = 48;

void CopyBitsInPlace(benchmark::State& state)
{
	QImage image(kWidth, kHeight, QImage::Format_RGB32);
	image.fill(Qt::blue);
	GrafPtr port = NewImagePort(&image);
	const Rect from{0, 3, kHeight, kWidth}, to{0, 0, kHeight, SInt16(kWidth - 3)};
	Measure(state, size_t(image.sizeInBytes()), [&] {
		CopyBits(GetPortBitMapForCopyBits(port), GetPortBitMapForCopyBits(port), &from, &to, srcCopy,
		         nullptr);
	});
	DisposePort(port);
}

void CopyBitsTransparent(benchmark::State& state)
{
	const Rect strip{0, 0, kHeight, kWidth};
	GWorldPtr world = nullptr;
	if (NewGWorld(&world, 16, &strip, nullptr, nullptr, 0) != noErr) {
		state.SkipWithError("no world");
		return;
	}
	world->image->fill(Qt::white);
	for (int x = 0; x < kWidth; x += 8)
		world->image->setPixelColor(x, x % kHeight, Qt::red);
	QImage image(kWidth, kHeight, QImage::Format_RGB32);
	image.fill(Qt::blue);
	GrafPtr port = NewImagePort(&image);
	Measure(state, size_t(image.sizeInBytes()), [&] {
		CopyBits(GetPortBitMapForCopyBits(world), GetPortBitMapForCopyBits(port), &strip, &strip,
		         transparent, nullptr);
	});
	DisposePort(port);
	DisposeGWorld(world);
}

BENCHMARK(CopyBitsInPlace);
BENCHMARK(CopyBitsTransparent);

} // namespace
