// skyloom-bench: measures Skyloom's work against the performance targets. Not installed.

#include "Commands.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <memory>

std::map<QString, BenchCommand>& BenchCommands() {
    static std::map<QString, BenchCommand> commands;
    return commands;
}

int main(int argc, char** argv) {
    const auto& commands = BenchCommands();
    const auto it = argc < 2 ? commands.end() : commands.find(QString::fromLocal8Bit(argv[1]));
    std::unique_ptr<QCoreApplication> app;
    if (it != commands.end() && it->second.widgets) {
        if (qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (it == commands.end()) {
        std::fprintf(stderr, "usage: skyloom-bench COMMAND ...\n");
        for (const auto& [name, command] : commands)
            std::fprintf(stderr, "  %s %s\n", qPrintable(name), command.usage);
        return 2;
    }
    return it->second.run(arguments.mid(1));
}
