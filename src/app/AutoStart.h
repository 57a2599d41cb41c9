#pragma once

#include <QString>

namespace skyloom {

// The program as the desktop should start it: the AppImage when it runs from one, else this
// executable.
QString ProgramPath();

// The XDG autostart entry that starts Skyloom at log-in: in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart), named after the product title.
QString AutoStartEntryPath();
// The entry's text for the program, its path quoted for the Exec key by freedesktop.org's
// desktop-entry rules (reserved characters quoted, then string-value escapes, "%" as "%%").
QByteArray AutoStartEntryText(const QString& program);

// Writes the entry (only when its text changes, atomically) or removes it. A failure is
// reported on stderr; returns whether the entry is now as asked.
bool SetAutoStart(bool enable, const QString& program = ProgramPath());

} // namespace skyloom
