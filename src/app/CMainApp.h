#pragma once

#include <QStringList>

namespace skyloom {

// Starts Skyloom: answers --help and --version, refuses to run without a graphical session,
// then runs the main window until the user exits and tears everything down in order.
class CMainApp {
public:
    // The process's entry point; returns the exit status.
    static int Main(int argc, char** argv);
};

} // namespace skyloom
