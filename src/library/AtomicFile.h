#pragma once

#include <QByteArray>
#include <QString>

namespace skyloom {

// Replaces the file at path with bytes in one step: the bytes go to a temporary file beside it,
// which is renamed over the old file only when every byte was written. On any failure the old
// file stays as it was and false is returned.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace skyloom
