// The painter's canvas drawn offscreen: the whole of a 4K view at 32x, and
// the cell one dab changed. CPU time of the whole process: Qt may hand
// parts of a large blit to its own threads.
#include "bench_rooms.h"

#include "ui/painter/paint_canvas.h"

#include "core/paint/paint_slots.h"

#include <QImage>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace velmora::bench {
namespace {

constexpr QSize kView(3840, 2160);
constexpr int kZoom = 32;

// A canvas whose viewport is exactly the 4K view, at 32x, on the room
// picture, which covers all of it.
struct Canvas {
    PaintPicture picture = ReadPaintPicture(DefaultPictures(), slot::RoomImage);
    PaintCanvas canvas;
    QImage target{kView, QImage::Format_ARGB32_Premultiplied};

    Canvas()
    {
        canvas.setFrameShape(QFrame::NoFrame);
        canvas.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        canvas.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        canvas.resize(kView);
        // Laid out as shown, drawn only where the benchmark renders it.
        canvas.setAttribute(Qt::WA_DontShowOnScreen);
        canvas.show();
        canvas.showPicture(picture, false, QPoint(0, 0));
        canvas.setZoom(kZoom);
        canvas.horizontalScrollBar()->setValue(0);
        canvas.verticalScrollBar()->setValue(0);
    }
};

void BM_CanvasRepaint32x4K(benchmark::State& state)
{
    Canvas c;
    if (c.canvas.viewport()->size() != kView) {
        state.SkipWithError("the viewport is not 3840x2160");
        return;
    }
    for (auto _ : state) {
        c.canvas.viewport()->render(&c.target);
        benchmark::DoNotOptimize(c.target.constBits());
    }
}
BENCHMARK(BM_CanvasRepaint32x4K)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// One pixel painted: its cell drawn again.
void BM_CanvasDabRepaint(benchmark::State& state)
{
    Canvas c;
    const PixelPoint at{40, 30};
    const QRect cells(at.x * kZoom, at.y * kZoom, kZoom, kZoom);
    PaintValue colour = 1;
    for (auto _ : state) {
        c.picture.set(at, colour);
        colour = colour == 1 ? 2 : 1;
        c.canvas.picturePixelsChanged(PixelRect{at.x, at.y, 1, 1});
        c.canvas.viewport()->render(&c.target, cells.topLeft(), QRegion(cells));
        benchmark::DoNotOptimize(c.target.constBits());
    }
}
BENCHMARK(BM_CanvasDabRepaint)->MeasureProcessCPUTime();

}  // namespace
}  // namespace velmora::bench
