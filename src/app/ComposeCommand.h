#pragma once

#include <QString>

namespace skyloom {

// skyloom --compose PHOTO --output FILE [--screen WIDTHxHEIGHT] [--settings FILE] [--apply]
struct ComposeRequest {
    QString photo;
    QString output;
    QString screen;   // empty: the primary screen
    QString settings; // empty: the user's settings file, or the defaults when there is none
    bool apply = false;
};

// Composes one wallpaper without any window and without touching a running Skyloom or its
// files. Needs a QGuiApplication. Returns the exit status; a failure is one line on stderr.
int RunCompose(const ComposeRequest& request);

} // namespace skyloom
