// The process start-up: the Qt application, then the program's WinMain.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/qt_edge.h"
#include "platform/resources/resource_reader.h"

namespace {

// The command line after the program's name, as Windows hands it to
// WinMain: the arguments joined by spaces, quoted where they hold one.
std::string command_line_after_program(int argc, char **argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (!line.empty())
            line += ' ';
        const std::string argument = argv[i];
        const bool quote = argument.empty() ||
                           argument.find_first_of(" \t") != std::string::npos;
        line += quote ? '"' + argument + '"' : argument;
    }
    return line;
}

// What Qt says while it opens its display is held back until the display
// is open. When none can be opened, Qt tells of its platform plugins, that
// reinstalling might help (it would not), and aborts with a core dump; the
// person is told instead, in one line, what is missing, and the program
// ends with a failure status.
struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};
// Qt's threads may speak while the display is being opened.
std::mutex held_messages_mutex;
std::vector<HeldMessage> held_messages;
bool holding_messages = true;
QtMessageHandler qt_message_handler = nullptr;

std::string named_displays()
{
    std::string named;
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char *value = std::getenv(variable);
        if (value == nullptr || *value == '\0')
            continue;
        named += (named.empty() ? "" : ", ") + std::string(variable) + '=';
        named += value;
    }
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
    std::unique_lock<std::mutex> lock(held_messages_mutex);
    if (holding_messages) {
        held_messages.push_back(
            {type, context.category != nullptr ? context.category : "default",
             text});
        return;
    }
    // Said while the held messages were being passed on.
    lock.unlock();
    qt_message_handler(type, context, text);
}

void pass_on_held_messages()
{
    const std::lock_guard<std::mutex> lock(held_messages_mutex);
    qInstallMessageHandler(qt_message_handler);
    for (const HeldMessage &m : held_messages)
        qt_message_handler(
            m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.c_str()),
            m.text);
    held_messages.clear();
    holding_messages = false;
}

} // namespace

int main(int argc, char **argv)
{
    scribblet::qt::prepare_application();
    qt_message_handler = qInstallMessageHandler(hold_message);
    QApplication application(argc, argv);
    pass_on_held_messages();
    scribblet::qt::install_qt_edge(application);
    std::string command_line = command_line_after_program(argc, argv);
    return WinMain(scribblet::resources::program_instance(), nullptr,
                   command_line.data(), SW_SHOWDEFAULT);
}
