#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace skyloom {

class CSlideshowEngine;

// What a later start hands the running copy: "start" with its arguments and the desktop's
// activation token, or one of the remote commands.
struct InstanceMessage {
    QString command;
    QString activationToken;
    QStringList arguments;
};
QByteArray EncodeInstanceMessage(const InstanceMessage& message);
InstanceMessage DecodeInstanceMessage(const QByteArray& bytes);

// The remote commands, as the options that send them: next, pause, resume, toggle-pause,
// clear, show, quit, status.
const QStringList& RemoteCommandNames();
// True when an argument is the exit switch "/x" (in either case) as a whole.
bool HasExitSwitch(const QStringList& arguments);

// What the running copy acts on: its engine and, with a window, the window's own commands.
struct RemoteTarget {
    CSlideshowEngine* engine = nullptr;
    std::function<void(const QString& activationToken)> show; // empty without a window
    // Ends the program without asking; exitSwitch for "/x", which also stops the question for
    // good, pauses and clears the wallpaper.
    std::function<void(bool exitSwitch)> quit;
    std::function<bool()> shuttingDown;
};

// Acts on a message and returns the one-line answer for the sender.
QByteArray AnswerInstanceMessage(const InstanceMessage& message, const RemoteTarget& target);

} // namespace skyloom
