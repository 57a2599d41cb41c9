#pragma once

#include <QString>

#include <optional>

namespace skyloom {

// What a JPEG file's headers say about the memory its decoder needs, read up to the first scan
// without decoding anything.
struct JpegFrame {
    int width = 0;
    int height = 0;
    // Progressive, or sequential with its components in separate scans: libjpeg then keeps the
    // coefficients of the whole image at full size, whatever output scale is asked for.
    bool multiScan = false;
    // The bytes of that whole-image coefficient buffer; 0 for a single-scan file.
    qint64 coefficientBytes = 0;
};

// The frame of the JPEG file at path; nothing when it is not a JPEG libjpeg would decode (its
// headers up to the first scan broken, or a kind of frame libjpeg does not decode).
std::optional<JpegFrame> ReadJpegFrame(const QString& path);

} // namespace skyloom
