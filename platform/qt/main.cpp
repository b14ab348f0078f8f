// The process start-up: the Qt application, then the program's WinMain.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>

#include "platform/platform.h"
#include "platform/qt/qt_edge.h"
#include "platform/resources/resource_reader.h"

namespace {

// What Qt says while it opens its display is held back. When no display can
// be opened, Qt tells of its platform plugins, that reinstalling might help
// (it would not), and aborts with a core dump: the person is told instead,
// in one line, what is missing, and the program ends with a failure status.
// Once the display is open, what was held is said.
std::mutex held_mutex; // Qt's threads may speak meanwhile
QStringList held;

std::string named_displays()
{
    std::string named;
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char *value = std::getenv(variable); value && *value)
            named += (named.empty() ? "" : ", ") + std::string(variable) + '=' +
                     value;
    return named;
}

[[noreturn]] void report_no_display()
{
    const std::string named = named_displays();
    const std::string japanese =
        named.empty() ? "DISPLAY も WAYLAND_DISPLAY も設定されていません"
                      : "ディスプレイ (" + named + ") を開けませんでした";
    const std::string english =
        named.empty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set"
                      : "the display (" + named + ") could not be opened";
    std::fprintf(stderr,
                 "scribblet: グラフィカルなデスクトップが必要です。%s / needs "
                 "a graphical desktop; %s\n",
                 japanese.c_str(), english.c_str());
    // Qt is half made: nothing of it may run at exit.
    std::_Exit(EXIT_FAILURE);
}

void hold_message(QtMsgType type, const QMessageLogContext &context,
                  const QString &text)
{
    if (type == QtFatalMsg)
        report_no_display();
    const std::lock_guard<std::mutex> lock(held_mutex);
    held.append(qFormatLogMessage(type, context, text));
}

} // namespace

// The command line after the program's name, as Windows hands it to
// WinMain (the program reads none of it).
int main(int argc, char **argv)
{
    scribblet::qt::prepare_application();
    qInstallMessageHandler(hold_message);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const QString &line : std::exchange(held, {}))
        std::fprintf(stderr, "%s\n", qPrintable(line));
    scribblet::qt::install_qt_edge(application);
    std::string command_line;
    for (int i = 1; i < argc; ++i)
        command_line.append(i > 1 ? " " : "").append(argv[i]);
    return WinMain(scribblet::resources::program_instance(), nullptr,
                   command_line.data(), SW_SHOWDEFAULT);
}
