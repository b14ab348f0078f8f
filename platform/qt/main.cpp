// The process start-up: the Qt application, then the program's WinMain.
#include <QApplication>
#include <string>

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

} // namespace

int main(int argc, char **argv)
{
    scribblet::qt::prepare_application();
    QApplication application(argc, argv);
    scribblet::qt::install_qt_edge(application);
    std::string command_line = command_line_after_program(argc, argv);
    return WinMain(scribblet::resources::program_instance(), nullptr,
                   command_line.data(), SW_SHOWDEFAULT);
}
