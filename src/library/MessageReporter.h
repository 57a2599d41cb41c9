#pragma once

#include <QString>

namespace skyloom {

// The application's title: the main window's title and the caption of the messages that
// report failures of the program itself.
inline constexpr char kApplicationTitle[] = "Skyloom - Desktop Wallpaper Changer";

// Style bits of a message to the user. The low bits follow the classic message-box values so
// that callers and the extended message box agree on one encoding.
namespace MessageStyle {
// Button sets, bits 0-3.
constexpr unsigned Ok = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned AbortRetryIgnore = 0x2;
constexpr unsigned YesNoCancel = 0x3;
constexpr unsigned YesNo = 0x4;
constexpr unsigned RetryCancel = 0x5;
constexpr unsigned CancelTryContinue = 0x6;
constexpr unsigned ContinueAbort = 0x7;
constexpr unsigned SkipSkipAllCancel = 0x8;
constexpr unsigned IgnoreIgnoreAllCancel = 0x9;
constexpr unsigned ButtonSetMask = 0xF;
// Icons, bits 4-7.
constexpr unsigned IconStop = 0x10;
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconExclamation = 0x30;
constexpr unsigned IconInformation = 0x40;
constexpr unsigned IconMask = 0xF0;
// The default button's position, bits 8-11 (0 the first).
constexpr unsigned DefaultButtonShift = 8;
constexpr unsigned DefaultButtonMask = 0xF00;
constexpr unsigned SystemModal = 0x1000;
// Check boxes; the result carries the bit when the box was ticked.
constexpr unsigned DontAskAgain = 1u << 24;
constexpr unsigned DontTellAgain = 1u << 25;
constexpr unsigned DontShowAgain = 1u << 26;
constexpr unsigned CheckBoxMask = DontAskAgain | DontTellAgain | DontShowAgain;
constexpr unsigned YesToAll = 1u << 27; // with the Yes/No sets
constexpr unsigned NoToAll = 1u << 28;  // with the Yes/No sets
constexpr unsigned NoResourceLookup = 1u << 29;
} // namespace MessageStyle

// Button ids a message returns, in its low byte.
namespace MessageResult {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
constexpr int TryAgain = 10;
constexpr int Continue = 11;
constexpr int Skip = 14;
constexpr int SkipAll = 15;
constexpr int IgnoreAll = 16;
constexpr int YesToAll = 19;
constexpr int NoToAll = 20;
constexpr int ButtonMask = 0xFF;
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
