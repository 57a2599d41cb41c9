#pragma once

#include <QString>
#include <QtGlobal>

namespace skyloom {

// The program's version record, as the About box shows it.
struct VersionInfo {
    quint16 major = 0, minor = 0, build = 0, revision = 0; // the product version's four parts
    QString legalCopyright;
};

} // namespace skyloom
