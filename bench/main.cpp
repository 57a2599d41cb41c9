// skyloom-bench: measures Skyloom's work against the performance targets. Not installed.

#include "Commands.h"

#include <QCoreApplication>

#include <cstdio>

std::map<QString, BenchCommand>& BenchCommands() {
    static std::map<QString, BenchCommand> commands;
    return commands;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const auto& commands = BenchCommands();
    const auto it = arguments.isEmpty() ? commands.end() : commands.find(arguments.first());
    if (it == commands.end()) {
        std::fprintf(stderr, "usage: skyloom-bench COMMAND ...\n");
        for (const auto& [name, command] : commands)
            std::fprintf(stderr, "  %s %s\n", qPrintable(name), command.usage);
        return 2;
    }
    return it->second.run(arguments.mid(1));
}
