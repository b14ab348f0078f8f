// The whole program's speed, each figure beside a baseline:
//  - pointer moves per second through the whole path (queue, stroke engine,
//    paint, the window's surface), and the stroke engine alone;
//  - start-up to the canvas-size dialog and to the shown window, and a
//    minimal Qt widget program's start-up to its shown window;
//  - a save of 800 × 800 and 8000 × 8000 in both formats, from the answered
//    save dialog to the closed file, and the writer alone;
//  - for canvases from 800 × 800 to the largest, on a 1600 × 1200 screen:
//    the window's size and scroll bars, resident memory, the time to the
//    shown window (and the CPU time until then) and to the open save
//    dialog, each in a fresh process of its own and in-process; for the
//    largest canvases also each save's memory peak (their files are checked
//    by the program's tests).
// It runs on Qt's offscreen platform with that screen unless the
// environment names another platform. The ratios are printed at the end.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <sys/resource.h>

#include "app/main_window.h"
#include "canvas/canvas.h"
#include "canvas/pen.h"
#include "canvas/stroke.h"
#include "export/bmp_writer.h"
#include "export/jpeg_writer.h"
#include "export/save_command.h"
#include "platform/qt/qt_edge.h"
#include "platform/resources/resource_reader.h"
#include "platform/winsys/dialog_support.h"
#include "res/resource.h"
#include "tests/app/screen.h"

namespace winsys = scribblet::winsys;
using namespace person;

// ---- Helpers
// ------------------------------------------------------------------

// Calls `act` once `ready` holds, polling from inside whatever loop runs.
static void when(std::function<bool()> ready, std::function<void()> act)
{
    QTimer::singleShot(1, [ready, act] {
        if (ready())
            act();
        else
            when(ready, act);
    });
}

// Runs the program's messages until its queue has run empty.
static void pump_until_idle()
{
    // The loop looks at its condition after each message: once the queue
    // has run empty, a thread message that nothing handles ends it.
    bool idle = false;
    winsys::run_modal_loop([&] { return idle; }, [](MSG &) { return false; },
                           [&] {
                               if (!idle)
                                   PostMessageA(NULL, WM_NULL, 0, 0);
                               idle = true;
                           });
}

static const int MOVES = 2000;

// The pointer's path for one round: a zigzag across the canvas.
static QPoint path_point(int i)
{
    int x = 50 + (i * 7) % 700;
    int y = 50 + (i * 13) % 700;
    return QPoint(x, y);
}

static void send_mouse(QWidget *client, QEvent::Type type, QPoint at,
                       Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, client->mapToGlobal(at), button, buttons, {},
                      QPointingDevice::primaryPointingDevice());
    QApplication::sendEvent(client, &event);
}

// ---- Pointer moves
// --------------------------------------------------------------

static void BM_MovesThroughTheWholePath(benchmark::State &state)
{
    QWidget *client = main_client();
    send_mouse(client, QEvent::MouseMove, path_point(0), Qt::NoButton,
               Qt::NoButton);
    send_mouse(client, QEvent::MouseButtonPress, path_point(0), Qt::LeftButton,
               Qt::LeftButton);
    pump_until_idle();
    for (auto _ : state) {
        for (int i = 1; i <= MOVES; ++i)
            send_mouse(client, QEvent::MouseMove, path_point(i), Qt::NoButton,
                       Qt::LeftButton);
        pump_until_idle();
        QApplication::processEvents(); // Qt's own repaint of the window
    }
    send_mouse(client, QEvent::MouseButtonRelease, path_point(MOVES),
               Qt::LeftButton, Qt::NoButton);
    pump_until_idle();
    state.counters["moves/s"] = benchmark::Counter(
        double(state.iterations()) * MOVES, benchmark::Counter::kIsRate);
}

static void BM_MovesThroughTheStrokeEngineAlone(benchmark::State &state)
{
    HWND hwnd = main_hwnd();
    stroke_press_left(hwnd, MAKELPARAM(path_point(0).x(), path_point(0).y()));
    pump_until_idle();
    for (auto _ : state)
        for (int i = 1; i <= MOVES; ++i) {
            QPoint p = path_point(i);
            stroke_move(hwnd, MAKELPARAM(p.x(), p.y()), MK_LBUTTON);
        }
    stroke_release_left();
    pump_until_idle();
    state.counters["moves/s"] = benchmark::Counter(
        double(state.iterations()) * MOVES, benchmark::Counter::kIsRate);
}

// ---- Saving
// -------------------------------------------------------------------------

static std::string s_folder;

static std::string file_for(bool jpeg)
{
    return s_folder + (jpeg ? "/bench.jpg" : "/bench.bmp");
}

// One save through the command, the dialog answered by the person; the time
// from the answer (Enter) to the command's return.
static double timed_save(bool jpeg)
{
    std::remove(file_for(jpeg).c_str());
    QElapsedTimer clock;
    when([] { return OpenWindow<QFileDialog>() != nullptr; },
         [&clock, jpeg] {
             QFileDialog *dialog = OpenWindow<QFileDialog>();
             if (jpeg)
                 QTest::keyClick(
                     dialog->findChild<QComboBox *>("fileTypeCombo"),
                     Qt::Key_Down);
             QLineEdit *name = dialog->findChild<QLineEdit *>("fileNameEdit");
             name->setText(QString::fromStdString(file_for(jpeg)));
             clock.start();
             QTest::keyClick(name, Qt::Key_Return);
         });
    save_command(main_hwnd(), g_instance);
    return clock.nsecsElapsed() / 1e9;
}

static void ensure_canvas(LONG side)
{
    if (g_canvas.width != side)
        canvas_create(side, side);
}

static void BM_SaveCommand(benchmark::State &state)
{
    ensure_canvas(LONG(state.range(0)));
    for (auto _ : state)
        state.SetIterationTime(timed_save(state.range(1) != 0));
}

static void BM_WriterAlone(benchmark::State &state)
{
    ensure_canvas(LONG(state.range(0)));
    const bool jpeg = state.range(1) != 0;
    BYTE *read_out = canvas_read_out();
    size_t pixels = canvas_byte_count() / 4;
    BYTE *rgb = jpeg ? (BYTE *)malloc(pixels * 3) : nullptr;
    for (size_t i = 0; rgb && i < pixels; ++i) {
        rgb[3 * i] = read_out[4 * i + 2];
        rgb[3 * i + 1] = read_out[4 * i + 1];
        rgb[3 * i + 2] = read_out[4 * i];
    }
    for (auto _ : state) {
        std::remove(file_for(jpeg).c_str());
        WriteResult result = jpeg ? write_jpeg(file_for(jpeg).c_str(), rgb,
                                               g_canvas.width, g_canvas.height)
                                  : write_bmp(file_for(jpeg).c_str(), read_out,
                                              g_canvas.width, g_canvas.height);
        if (result.failure != WRITE_OK)
            state.SkipWithError(write_failure_text(result.failure));
    }
    free(rgb);
    free(read_out);
}

// ---- Start-up
// -----------------------------------------------------------------------

// One start of the program in-process: the times to the dialog and to the
// shown window, after the dialog is answered at once.
static void timed_start(double *to_dialog, double *to_window)
{
    QElapsedTimer clock;
    double answered = 0;
    when([] { return size_dialog() != nullptr; },
         [&] {
             *to_dialog = clock.nsecsElapsed() / 1e9;
             QTest::keyClick(dialog_control(size_dialog(), IDC_WIDTH),
                             Qt::Key_Return);
             answered = clock.nsecsElapsed() / 1e9;
             when(
                 [] {
                     return main_client() != nullptr &&
                            main_client()->isVisible();
                 },
                 [&] {
                     *to_window =
                         clock.nsecsElapsed() / 1e9 - (answered - *to_dialog);
                     main_window()->close();
                 });
         });
    char command_line[] = "";
    clock.start();
    WinMain(scribblet::resources::program_instance(), NULL, command_line,
            SW_SHOWDEFAULT);
}

static void BM_StartupToDialog(benchmark::State &state)
{
    for (auto _ : state) {
        double to_dialog = 0, to_window = 0;
        timed_start(&to_dialog, &to_window);
        state.SetIterationTime(to_dialog);
    }
}

static void BM_StartupToWindow(benchmark::State &state)
{
    for (auto _ : state) {
        double to_dialog = 0, to_window = 0;
        timed_start(&to_dialog, &to_window);
        state.SetIterationTime(to_window);
    }
}

static void BM_MinimalQtWidgetToWindow(benchmark::State &state)
{
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QWidget widget;
        widget.setWindowTitle("minimal");
        widget.resize(800, 800);
        widget.show();
        while (!widget.isVisible())
            QApplication::processEvents();
        QApplication::processEvents();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
    }
}

// ---- Canvas sizes
// -------------------------------------------------------------------

// The sizes measured: the default, two that the screen cannot hold, and the
// two largest that the size rules allow.
static const int SIZES[][2] = {
    {800, 800}, {4000, 3000}, {8000, 8000}, {32767, 16383}, {23170, 23170}};

// What one session of the program at one canvas size showed and cost.
struct Session {
    double to_window = 0;     // s, from the start to the shown window
    double cpu_to_window = 0; // s, user and system time until then
    int window_width = 0;     // the main window's size
    int window_height = 0;
    bool bars[2] = {};          // horizontal, vertical bar enabled
    long rss_kib = 0;           // resident, the window shown and painted
    double to_save_dialog = 0;  // s, from File › Save to the shown dialog
    long save_peak_kib[2] = {}; // resident peak of a BMP, a JPEG save
};

// The process's user and system time so far, in seconds: what the machine's
// other work disturbs less than the wall time.
static double cpu_seconds()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

static long long now_ns()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// A field of /proc/self/status in KiB: "VmRSS", or the peak "VmHWM".
static long status_kib(const std::string &field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    return -1;
}

// Starts the resident peak afresh from what is resident now.
static void reset_peak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

static bool bar_enabled(Qt::Orientation orientation)
{
    for (QScrollBar *bar : main_window()->findChildren<QScrollBar *>())
        if (bar->orientation() == orientation)
            return bar->isEnabled();
    return false;
}

// One session of the program: the size dialog answered with width × height
// at once, the shown window measured, the save dialog opened and cancelled,
// with `save` one save in each format, then the window closed. `started`
// (now_ns) is where the time to the window counts from.
static Session run_session(int width, int height, bool save, long long started)
{
    Session s;
    when([] { return size_dialog() != nullptr; },
         [=] {
             dialog_control<QLineEdit>(size_dialog(), IDC_WIDTH)
                 ->setText(QString::number(width));
             dialog_control<QLineEdit>(size_dialog(), IDC_HEIGHT)
                 ->setText(QString::number(height));
             QTest::keyClick(dialog_control(size_dialog(), IDC_WIDTH),
                             Qt::Key_Return);
         });
    when([] { return main_client() != nullptr && main_client()->isVisible(); },
         [&s, save, started] {
             s.to_window = (now_ns() - started) / 1e9;
             s.cpu_to_window = cpu_seconds();
             QApplication::processEvents(); // the first paint
             RECT window;
             GetWindowRect(main_hwnd(), &window);
             s.window_width = window.right - window.left;
             s.window_height = window.bottom - window.top;
             s.bars[0] = bar_enabled(Qt::Horizontal);
             s.bars[1] = bar_enabled(Qt::Vertical);
             s.rss_kib = status_kib("VmRSS");
             long long asked = now_ns();
             when([] { return OpenWindow<QFileDialog>() != nullptr; },
                  [&s, asked] {
                      s.to_save_dialog = (now_ns() - asked) / 1e9;
                      OpenWindow<QFileDialog>()->reject();
                  });
             save_command(main_hwnd(), g_instance);
             for (int jpeg = 0; save && jpeg < 2; ++jpeg) {
                 reset_peak();
                 timed_save(jpeg != 0);
                 s.save_peak_kib[jpeg] = status_kib("VmHWM");
                 std::remove(file_for(jpeg != 0).c_str());
             }
             main_window()->close();
         });
    char command_line[] = "";
    WinMain(scribblet::resources::program_instance(), NULL, command_line,
            SW_SHOWDEFAULT);
    // The program keeps its canvas until its process ends; the next
    // session in this process makes its own.
    DeleteObject(g_canvas.bitmap);
    DeleteDC(g_canvas.dc);
    g_canvas = Canvas{};
    return s;
}

static const char SESSION_FORMAT[] = "%lf %lf %d %d %d %d %ld %lf %ld %ld\n";

// The same session in a fresh process of its own (this program started
// with --one-session), timed from before the process is started.
static Session run_session_in_own_process(int width, int height)
{
    char command[4096];
    std::snprintf(command, sizeof command, "'%s' --one-session %d %d %lld",
                  QCoreApplication::applicationFilePath().toUtf8().constData(),
                  width, height, now_ns());
    Session s;
    int bars[2] = {};
    FILE *child = popen(command, "r");
    if (!child ||
        std::fscanf(child, SESSION_FORMAT, &s.to_window, &s.cpu_to_window,
                    &s.window_width, &s.window_height, &bars[0], &bars[1],
                    &s.rss_kib, &s.to_save_dialog, &s.save_peak_kib[0],
                    &s.save_peak_kib[1]) != 10)
        std::fprintf(stderr, "the session %dx%d gave no figures\n", width,
                     height);
    if (child)
        pclose(child);
    s.bars[0] = bars[0] != 0;
    s.bars[1] = bars[1] != 0;
    return s;
}

// --one-session width height started: one session with saves, its figures on
// the standard output.
static int session_main(char **argv)
{
    Session s = run_session(std::atoi(argv[2]), std::atoi(argv[3]), true,
                            std::atoll(argv[4]));
    std::printf(SESSION_FORMAT, s.to_window, s.cpu_to_window, s.window_width,
                s.window_height, int(s.bars[0]), int(s.bars[1]), s.rss_kib,
                s.to_save_dialog, s.save_peak_kib[0], s.save_peak_kib[1]);
    return 0;
}

static void BM_SessionInProcess(benchmark::State &state)
{
    double to_dialog = 0;
    Session s;
    for (auto _ : state) {
        s = run_session(int(state.range(0)), int(state.range(1)), false,
                        now_ns());
        state.SetIterationTime(s.to_window);
        to_dialog += s.to_save_dialog;
    }
    state.counters["save dialog ms"] =
        to_dialog * 1000 / double(state.iterations());
    state.counters["window w"] = s.window_width;
    state.counters["window h"] = s.window_height;
}

static void print_sessions_in_own_processes()
{
    std::printf(
        "\nOne session per process, on a 1600 x 1200 screen (times from "
        "before the process starts; CPU: user and system time until the window "
        "shows; MiB resident)\n");
    std::printf("%-13s %-11s %-5s %8s %10s %8s %12s %10s %10s\n", "canvas",
                "window", "bars", "resident", "to window", "CPU", "save dialog",
                "BMP peak", "JPEG peak");
    for (const auto &size : SIZES) {
        Session s = run_session_in_own_process(size[0], size[1]);
        char canvas[32], window[32];
        std::snprintf(canvas, sizeof canvas, "%dx%d", size[0], size[1]);
        std::snprintf(window, sizeof window, "%dx%d", s.window_width,
                      s.window_height);
        std::printf("%-13s %-11s %c %c   %8ld %8.0fms %6.0fms %10.0fms %10ld "
                    "%10ld\n",
                    canvas, window, s.bars[0] ? 'H' : '-',
                    s.bars[1] ? 'V' : '-', s.rss_kib / 1024, s.to_window * 1000,
                    s.cpu_to_window * 1000, s.to_save_dialog * 1000,
                    s.save_peak_kib[0] / 1024, s.save_peak_kib[1] / 1024);
        std::fflush(stdout);
    }
}

// ---- Ratios
// ---------------------------------------------------------------------------

// Prints as usual, and keeps each run's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void ratio(const std::string &what, const std::string &a,
               const std::string &b)
    {
        if (seconds.count(a) && seconds.count(b))
            std::printf("%-48s %8.2f\n", what.c_str(), seconds[a] / seconds[b]);
    }
};

int main(int argc, char **argv)
{
    // A screen that holds the default canvas's window, smaller than the
    // large canvases.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" SCRIBBLET_BENCH_SCREEN);
    scribblet::qt::prepare_application();
    QApplication application(argc, argv);
    scribblet::qt::install_qt_edge(application);

    char folder_template[] = "/tmp/scribblet-bench-XXXXXX";
    s_folder = mkdtemp(folder_template);
    if (argc == 5 && std::string(argv[1]) == "--one-session") {
        int result = session_main(argv);
        rmdir(s_folder.c_str());
        return result;
    }
    benchmark::Initialize(&argc, argv);

    benchmark::RegisterBenchmark("StartupToDialog", BM_StartupToDialog)
        ->UseManualTime()
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("StartupToWindow", BM_StartupToWindow)
        ->UseManualTime()
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("MinimalQtWidgetToWindow",
                                 BM_MinimalQtWidgetToWindow)
        ->UseManualTime()
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond);
    for (const auto &size : SIZES)
        benchmark::RegisterBenchmark("SessionInProcess", BM_SessionInProcess)
            ->Args({size[0], size[1]})
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(size[0] * size[1] > 100000000 ? 1 : 3);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::ClearRegisteredBenchmarks();

    // The rest runs inside one session of the program, 800 × 800.
    benchmark::RegisterBenchmark("MovesThroughTheWholePath",
                                 BM_MovesThroughTheWholePath)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("MovesThroughTheStrokeEngineAlone",
                                 BM_MovesThroughTheStrokeEngineAlone)
        ->Unit(benchmark::kMillisecond);
    for (int side : {800, 8000})
        for (int jpeg : {0, 1}) {
            benchmark::RegisterBenchmark("SaveCommand", BM_SaveCommand)
                ->Args({side, jpeg})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(side == 800 ? 20 : 2);
            benchmark::RegisterBenchmark("WriterAlone", BM_WriterAlone)
                ->Args({side, jpeg})
                ->Unit(benchmark::kMillisecond)
                ->Iterations(side == 800 ? 20 : 2);
        }
    when([] { return size_dialog() != nullptr; },
         [] {
             QTest::keyClick(dialog_control(size_dialog(), IDC_WIDTH),
                             Qt::Key_Return);
         });
    when([] { return main_client() != nullptr && main_client()->isVisible(); },
         [&] {
             benchmark::RunSpecifiedBenchmarks(&reporter);
             main_window()->close();
         });
    char command_line[] = "";
    WinMain(scribblet::resources::program_instance(), NULL, command_line,
            SW_SHOWDEFAULT);

    std::printf("\nRatios (time against time)\n");
    reporter.ratio("whole path / stroke engine alone, per move",
                   "MovesThroughTheWholePath",
                   "MovesThroughTheStrokeEngineAlone");
    reporter.ratio("start-up to dialog / minimal Qt program",
                   "StartupToDialog/iterations:10/manual_time",
                   "MinimalQtWidgetToWindow/iterations:10/manual_time");
    reporter.ratio("start-up to window / minimal Qt program",
                   "StartupToWindow/iterations:10/manual_time",
                   "MinimalQtWidgetToWindow/iterations:10/manual_time");
    for (const char *args : {"800/0", "800/1", "8000/0", "8000/1"}) {
        std::string iterations =
            std::string(args).rfind("8000", 0) == 0 ? "2" : "20";
        reporter.ratio(std::string("save command / writer alone, ") + args,
                       std::string("SaveCommand/") + args +
                           "/iterations:" + iterations + "/manual_time",
                       std::string("WriterAlone/") + args +
                           "/iterations:" + iterations);
    }
    print_sessions_in_own_processes();
    std::remove(file_for(false).c_str());
    std::remove(file_for(true).c_str());
    rmdir(s_folder.c_str());
    return 0;
}
