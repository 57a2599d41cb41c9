#include "JpegFrame.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace skyloom {
namespace {

struct Sampling {
    int h = 0;
    int v = 0;
};

bool ReadByte(QFile& file, int* value) {
    char c = 0;
    if (!file.getChar(&c))
        return false;
    *value = quint8(c);
    return true;
}

bool ReadWord(QFile& file, int* value) {
    int high = 0, low = 0;
    if (!ReadByte(file, &high) || !ReadByte(file, &low))
        return false;
    *value = high << 8 | low;
    return true;
}

// The next marker code, skipping stray bytes, fill bytes and stuffed zeros (FF 00) before it
// the way libjpeg does.
bool NextMarker(QFile& file, int* marker) {
    int c = 0;
    for (;;) {
        do {
            if (!ReadByte(file, &c))
                return false;
        } while (c != 0xFF);
        do {
            if (!ReadByte(file, &c))
                return false;
        } while (c == 0xFF);
        if (c != 0) {
            *marker = c;
            return true;
        }
    }
}

// The frames libjpeg decodes: baseline, extended and progressive, Huffman or arithmetic.
bool IsDecodedFrame(int marker) {
    return marker == 0xC0 || marker == 0xC1 || marker == 0xC2 || marker == 0xC9 || marker == 0xCA;
}

// Segments libjpeg reads or skips on its way to the first scan: tables, restart interval,
// number of lines, application data and comments.
bool IsSkippedSegment(int marker) {
    return marker == 0xC4 || marker == 0xCC || marker == 0xDB || marker == 0xDC || marker == 0xDD ||
           (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
}

// The coefficient blocks libjpeg allocates for a component: its size in 8x8 blocks at its
// sampling, rounded up to whole sampling units, 64 coefficients of 2 bytes each.
qint64 CoefficientBytes(const JpegFrame& frame, const std::vector<Sampling>& components) {
    int hMax = 1, vMax = 1;
    for (const Sampling& s : components) {
        hMax = std::max(hMax, s.h);
        vMax = std::max(vMax, s.v);
    }
    const auto blocks = [](qint64 size, int factor, int maxFactor) {
        const qint64 count = (size * factor + 8 * maxFactor - 1) / (8 * maxFactor);
        return (count + factor - 1) / factor * factor;
    };
    qint64 total = 0;
    for (const Sampling& s : components)
        total += blocks(frame.width, s.h, hMax) * blocks(frame.height, s.v, vMax) * 128;
    return total;
}

} // namespace

std::optional<JpegFrame> ReadJpegFrame(const QString& path) {
    QFile file(path);
    int soi = 0;
    if (!file.open(QIODevice::ReadOnly) || !ReadWord(file, &soi) || soi != 0xFFD8)
        return std::nullopt;
    // The walk follows libjpeg's: whatever libjpeg would refuse before the first scan (another
    // start of image, an unknown marker, a second or an unsupported frame, impossible sampling)
    // is refused here too, so that the frame read is the one libjpeg decodes.
    std::optional<JpegFrame> frame;
    std::vector<Sampling> components;
    bool progressive = false;
    int marker = 0;
    while (NextMarker(file, &marker)) {
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a segment
        if (!IsDecodedFrame(marker) && !IsSkippedSegment(marker) && marker != 0xDA)
            return std::nullopt;
        int length = 0;
        if (!ReadWord(file, &length) || length < 2)
            return std::nullopt;
        const qint64 next = file.pos() + length - 2;
        if (IsDecodedFrame(marker)) {
            int precision = 0, height = 0, width = 0, count = 0;
            if (frame || !ReadByte(file, &precision) || !ReadWord(file, &height) ||
                !ReadWord(file, &width) || !ReadByte(file, &count) || width == 0 || height == 0 ||
                count < 1 || count > 10)
                return std::nullopt;
            frame = JpegFrame{width, height, false, 0};
            progressive = marker == 0xC2 || marker == 0xCA;
            for (int i = 0; i < count; ++i) {
                int id = 0, factors = 0, table = 0;
                if (!ReadByte(file, &id) || !ReadByte(file, &factors) || !ReadByte(file, &table))
                    return std::nullopt;
                const Sampling sampling{factors >> 4, factors & 15};
                if (sampling.h < 1 || sampling.h > 4 || sampling.v < 1 || sampling.v > 4)
                    return std::nullopt;
                components.push_back(sampling);
            }
        } else if (marker == 0xDA) {
            int inScan = 0;
            if (!frame || !ReadByte(file, &inScan) || inScan < 1 || inScan > int(components.size()))
                return std::nullopt;
            frame->multiScan = progressive || inScan < int(components.size());
            if (frame->multiScan)
                frame->coefficientBytes = CoefficientBytes(*frame, components);
            return frame;
        }
        if (!file.seek(next))
            return std::nullopt;
    }
    return std::nullopt; // no scan: nothing to decode
}

} // namespace skyloom
