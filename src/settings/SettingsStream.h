#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace skyloom {

// Writes the little-endian fields of the settings file. Text is written as UTF-8 behind a
// length prefix of one byte (below 255), 0xFF and 16 bits (below 0xFFFE), or 0xFF, 0xFFFF
// and 32 bits.
class SettingsWriter {
public:
    void Int32(std::int32_t value);
    void Int64(std::int64_t value);
    void String(const QString& text);
    const QByteArray& Bytes() const { return m_bytes; }

private:
    template <class T> void Le(T value);
    void Raw(const void* data, qsizetype size) {
        m_bytes.append(static_cast<const char*>(data), size);
    }
    QByteArray m_bytes;
};

// Reads what SettingsWriter writes, plus the UTF-16 string form (0xFF, 0xFFFE, then a prefix
// counting 16-bit characters). A read past the end, or a string whose length cannot be in the
// data, fails; after the first failure every read fails and leaves its target unchanged.
class SettingsReader {
public:
    explicit SettingsReader(QByteArrayView data) : m_data(data) {}
    bool Int32(std::int32_t& value);
    bool Int64(std::int64_t& value);
    bool String(QString& text);
    bool Ok() const { return m_ok; }
    qsizetype Remaining() const { return m_data.size() - m_pos; }

private:
    template <class T> bool Le(T& value);
    bool Raw(void* out, qsizetype size);
    bool Fail();

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

} // namespace skyloom
