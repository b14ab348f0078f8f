// Throughput of the stroke engine: segments of length 1000 at pen sizes 1, 3
// and 30, in stamps per second, and its time against a plain memset of the
// very same pixels (counter x_memset: how many times slower).
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "canvas/stroke.h"

// Stand-ins for the window services the engine links against; segments
// reach only InvalidateRect, which names the damage and costs nothing here.
BOOL WINAPI InvalidateRect(HWND, const RECT *, BOOL)
{
    return TRUE;
}
HWND WINAPI SetCapture(HWND)
{
    return nullptr;
}
BOOL WINAPI ReleaseCapture(void)
{
    return TRUE;
}
BOOL WINAPI PostMessageA(HWND, UINT, WPARAM, LPARAM)
{
    return TRUE;
}

namespace {

constexpr LONG segment_length = 1000;
constexpr LONG from_x = 40, from_y = 40;
constexpr LONG to_x = from_x + segment_length,
               to_y = from_y + segment_length / 2;
constexpr LONG canvas_side = segment_length + 2 * from_x;

// The lower bound: the same stamp rectangles, already clipped, as memsets of
// rows in a plain buffer of the canvas's size.
void memset_stamps(std::vector<BYTE> &pixels, LONG size)
{
    const LONG n = segment_length + 1;
    const size_t row_bytes = static_cast<size_t>(2 * size - 1) * 4;
    for (LONG i = 0; i < n; ++i) {
        const LONG x = from_x + i * (to_x - from_x) / n - size;
        const LONG y = from_y + i * (to_y - from_y) / n - size;
        for (LONG row = y; row < y + 2 * size - 1; ++row)
            std::memset(
                &pixels[(static_cast<size_t>(row) * canvas_side + x) * 4],
                i & 0xFF, row_bytes);
    }
    benchmark::ClobberMemory();
}

// CPU time of this thread, so that other work on the machine does not count.
double cpu_seconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) +
           static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work>
double seconds_for(benchmark::IterationCount times, Work work)
{
    const double start = cpu_seconds();
    for (benchmark::IterationCount i = 0; i < times; ++i)
        work();
    return cpu_seconds() - start;
}

void BM_StrokeSegment(benchmark::State &state)
{
    if (!canvas_create(canvas_side, canvas_side)) {
        state.SkipWithError("no canvas");
        return;
    }
    pens_create_brushes();
    PenTool pen = g_left_pen;
    pen.size = static_cast<LONG>(state.range(0));
    const HWND window = nullptr;

    const double start = cpu_seconds();
    for (auto _ : state)
        stroke_draw_segment(window, &pen, from_x, from_y, to_x, to_y);
    const double stroke_seconds = cpu_seconds() - start;

    std::vector<BYTE> plain(canvas_byte_count());
    const double memset_seconds = seconds_for(
        state.iterations(), [&] { memset_stamps(plain, pen.size); });

    const double stamps =
        static_cast<double>(state.iterations()) * (segment_length + 1);
    state.counters["stamps_per_s"] =
        benchmark::Counter(stamps, benchmark::Counter::kIsRate);
    state.counters["x_memset"] = stroke_seconds / memset_seconds;
    state.counters["pixels_per_stamp"] =
        (2.0 * pen.size - 1) * (2.0 * pen.size - 1);

    DeleteObject(g_canvas.bitmap);
    DeleteDC(g_canvas.dc);
    g_canvas = Canvas{};
    DeleteObject(g_left_pen.brush);
    DeleteObject(g_right_pen.brush);
}

} // namespace

BENCHMARK(BM_StrokeSegment)->Arg(1)->Arg(3)->Arg(30);

BENCHMARK_MAIN();
