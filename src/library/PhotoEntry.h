#pragma once

#include <QString>

#include <cstdint>

namespace skyloom {

// One photo file found by the folder scanner, with the fields the photo queue keeps about it.
// A queue holds one for every photo of every queued folder, so the folder part and the file
// name are parts of the path rather than strings of their own.
struct PhotoEntry {
    QString path;              // the full path as the directory holds it
    int nameStart = 0;         // where the file name begins in the path
    std::int64_t modified = 0; // last-write time, seconds since 1970
    std::uint32_t size = 0;    // the low 32 bits of the size in bytes
    int tag = 0;               // the scanner's tag when the entry was made

    // Kept by the photo queue; the scanner sets them when it makes the entry and never again.
    int orientation = -1;
    int width = -1;
    int height = -1;
    int shown = 0;
    int measured = 0;
    int tooSmall = 0;
    int wrongOrientation = 0;
    int unreadable = 0; // missing or not a picture: never chosen again in this queue

    // The folder of the file, ending in a separator.
    QString FolderPart() const { return path.left(nameStart); }
    // The name with its extension.
    QString FileName() const { return path.mid(nameStart); }
};

} // namespace skyloom
