#pragma once

#include <QString>

namespace skyloom {

// The application's title: the main window's title and the caption of the messages that
// report failures of the program itself.
inline constexpr char kApplicationTitle[] = "Skyloom - Desktop Wallpaper Changer";

// Style bits of a message to the user. The low bits follow the classic message-box values so
// that callers and the extended message box agree on one encoding.
namespace MessageStyle {
constexpr unsigned Ok = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned YesNo = 0x4;
constexpr unsigned IconStop = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconExclamation = 0x30;
constexpr unsigned IconInformation = 0x40;
constexpr unsigned DontAskAgain = 1u << 24;
constexpr unsigned NoResourceLookup = 1u << 29;
} // namespace MessageStyle

// Button ids a message returns.
namespace MessageResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MessageResult

// Shows messages to the user on behalf of code that has no window of its own (the SQL layer,
// the utility routines, the slideshow engine). The user interface installs an implementation
// built on the extended message box; tests install one that records.
class IMessageReporter {
public:
    virtual ~IMessageReporter() = default;
    // Returns the id of the button that closed the message.
    virtual int ShowMessage(const QString& caption, const QString& text, unsigned style) = 0;
};

// The reporter in force for the process. Until one is installed, messages go to stderr and
// the answer is the first button.
IMessageReporter& MessageReporter();

// Installs a reporter (nullptr restores the stderr one) and returns the previous one. The
// caller keeps ownership and must uninstall it before destroying it.
IMessageReporter* InstallMessageReporter(IMessageReporter* reporter);

} // namespace skyloom
