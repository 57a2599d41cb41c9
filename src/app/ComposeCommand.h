#pragma once

#include <QString>
#include <QStringList>

namespace skyloom {

// skyloom --compose PHOTO [--compose PHOTO ...] --output FILE [--monitors primary|each]
//         [--screen WIDTHxHEIGHT] [--settings FILE] [--apply]
struct ComposeRequest {
    QStringList photos; // one, or with --monitors each one per monitor
    QString output;
    QString screen;   // empty: the primary screen
    QString settings; // empty: the user's settings file, or the defaults when there is none
    bool apply = false;
    QString monitors = QStringLiteral("primary"); // or "each"
};

// Composes one wallpaper without any window and without touching a running Skyloom or its
// files. Needs a QGuiApplication. Returns the exit status; a failure is one line on stderr.
int RunCompose(const ComposeRequest& request);

} // namespace skyloom
