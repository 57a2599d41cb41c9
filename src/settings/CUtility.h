#pragma once

#include "platform/ProfileStore.h"

#include <QString>

#include <cerrno>

namespace skyloom {

// Small routines used with the settings: text values of the application profile, and the
// report of a failed system call.
class CUtility {
public:
    using Root = platform::ProfileRoot;

    // The text stored under keyPath/name, or defaultText when there is none. A store that
    // cannot be read is reported under "GetRegString".
    static QString GetRegString(const QString& keyPath, const QString& name,
                                const QString& defaultText, Root root = Root::CurrentUser);
    // Stores text under keyPath/name; a failure is reported under "SetRegString".
    static bool SetRegString(const QString& keyPath, const QString& name, const QString& text,
                             Root root = Root::CurrentUser);
    // Shows the system's text for an error code under the title
    // "Utility Class Error in <routine> (<code>)". Code 0 shows nothing.
    static void ReportLastError(const QString& routine, int code = errno);
};

} // namespace skyloom
