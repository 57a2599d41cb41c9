#include "AtomicFile.h"

#include <QSaveFile>

namespace skyloom {

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a size limit) shows in write()'s count:
    // with a write buffer, Qt 6.4 commits the cut-short file and reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace skyloom
