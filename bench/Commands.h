#pragma once

#include <QStringList>

#include <functional>
#include <map>

// A sub-command of skyloom-bench: its arguments (after the command name) in, exit status out.
// Each prints what it measured, its last line in the form "name=value ...".
struct BenchCommand {
    const char* usage;
    std::function<int(const QStringList&)> run;
    bool widgets = false; // runs with a QApplication (off-screen without a display)
};

// Every sub-command, by name. Each source file of bench/ adds its own.
std::map<QString, BenchCommand>& BenchCommands();

// Adds a sub-command at start-up: static RegisterBench r("name", {...});
struct RegisterBench {
    RegisterBench(const char* name, BenchCommand command) {
        BenchCommands().emplace(QString::fromLatin1(name), std::move(command));
    }
};
