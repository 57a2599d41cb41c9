#include "SettingsStream.h"

#include <QtEndian>

#include <cstring>

namespace skyloom {
namespace {

constexpr std::uint8_t kLongLength = 0xFF;
constexpr std::uint16_t kUnicodeMarker = 0xFFFE;
constexpr std::uint16_t kLength32 = 0xFFFF;

} // namespace

template <class T> void SettingsWriter::Le(T value) {
    const T le = qToLittleEndian(value);
    Raw(&le, sizeof le);
}

void SettingsWriter::Int32(std::int32_t value) {
    Le(value);
}
void SettingsWriter::Int64(std::int64_t value) {
    Le(value);
}

void SettingsWriter::String(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const auto length = static_cast<std::uint32_t>(utf8.size());
    if (length < kLongLength) {
        const auto byte = static_cast<std::uint8_t>(length);
        Raw(&byte, 1);
    } else if (length < kUnicodeMarker) {
        Raw(&kLongLength, 1);
        const auto le = qToLittleEndian(static_cast<std::uint16_t>(length));
        Raw(&le, sizeof le);
    } else {
        Raw(&kLongLength, 1);
        const auto marker = qToLittleEndian(kLength32);
        Raw(&marker, sizeof marker);
        const auto le = qToLittleEndian(length);
        Raw(&le, sizeof le);
    }
    m_bytes.append(utf8);
}

bool SettingsReader::Fail() {
    m_ok = false;
    return false;
}

bool SettingsReader::Raw(void* out, qsizetype size) {
    if (!m_ok || Remaining() < size)
        return Fail();
    std::memcpy(out, m_data.data() + m_pos, static_cast<size_t>(size));
    m_pos += size;
    return true;
}

template <class T> bool SettingsReader::Le(T& value) {
    T le;
    if (!Raw(&le, sizeof le))
        return false;
    value = qFromLittleEndian(le);
    return true;
}

bool SettingsReader::Int32(std::int32_t& value) {
    return Le(value);
}
bool SettingsReader::Int64(std::int64_t& value) {
    return Le(value);
}

bool SettingsReader::String(QString& text) {
    bool unicode = false;
    std::uint64_t length = 0;
    for (;;) {
        std::uint8_t byte;
        if (!Raw(&byte, 1))
            return false;
        if (byte < kLongLength) {
            length = byte;
            break;
        }
        std::uint16_t word;
        if (!Raw(&word, sizeof word))
            return false;
        word = qFromLittleEndian(word);
        if (word == kUnicodeMarker) {
            if (unicode)
                return Fail(); // one marker only
            unicode = true;
            continue;
        }
        if (word < kLength32) {
            length = word;
            break;
        }
        std::uint32_t dword;
        if (!Raw(&dword, sizeof dword))
            return false;
        length = qFromLittleEndian(dword);
        break;
    }

    const std::uint64_t bytes = unicode ? length * 2 : length;
    if (bytes > static_cast<std::uint64_t>(Remaining()))
        return Fail();
    const char* start = m_data.data() + m_pos;
    if (unicode) {
        QString decoded(static_cast<qsizetype>(length), Qt::Uninitialized);
        for (qsizetype i = 0; i < decoded.size(); ++i)
            decoded[i] = QChar(qFromLittleEndian<std::uint16_t>(start + 2 * i));
        text = decoded;
    } else {
        text = QString::fromUtf8(start, static_cast<qsizetype>(length));
    }
    m_pos += static_cast<qsizetype>(bytes);
    return true;
}

} // namespace skyloom
