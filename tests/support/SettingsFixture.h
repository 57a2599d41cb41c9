#pragma once

#include <QByteArray>
#include <QtEndian>

// Builds settings-file bytes field by field, independently of the program's own writer, so
// that a test compares the program's output with the layout as documented.
class SettingsBytes {
public:
    SettingsBytes& Int32(qint32 value) {
        const auto le = qToLittleEndian(value);
        m_bytes.append(reinterpret_cast<const char*>(&le), 4);
        return *this;
    }
    SettingsBytes& Int32s(std::initializer_list<qint32> values) {
        for (qint32 v : values)
            Int32(v);
        return *this;
    }
    SettingsBytes& Int64(qint64 value) {
        const auto le = qToLittleEndian(value);
        m_bytes.append(reinterpret_cast<const char*>(&le), 8);
        return *this;
    }
    // A string shorter than 255 bytes: a one-byte length, then the text.
    SettingsBytes& Text(const QByteArray& utf8) {
        Q_ASSERT(utf8.size() < 255);
        m_bytes.append(char(utf8.size())).append(utf8);
        return *this;
    }
    SettingsBytes& Raw(const QByteArray& bytes) {
        m_bytes.append(bytes);
        return *this;
    }
    operator QByteArray() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// The strings and values a fixture varies; everything else holds the defaults.
struct FixtureFields {
    qint32 version = 2;
    QByteArray lastPhoto = QByteArray(1, '\0');       // the whole field, prefix included
    QByteArray lastBrowseFolder;                      // likewise
    QByteArray backgroundImage = QByteArray(1, '\0'); // likewise
    qint64 reserved = 0;
    quint32 solidColour = 0;
    qint32 gradientTransform = 0;
    qint32 defaultCategoryId = -1;
};

// Every field of a default record from the version to the last flag before the queue count.
inline QByteArray FixedFields(const FixtureFields& f) {
    return SettingsBytes()
        .Int32(f.version)
        .Text("Settings.skdat")
        .Int32s({0, 1, 1, 1, 1, 1, 0, 0, 1, 450})
        .Int64(f.reserved)
        .Int32s({-1, -1})
        .Raw(f.lastPhoto)
        .Int32s({0, 0, 3, f.defaultCategoryId, 1, 1, 1, 1, 1, 1, 0, -1, 3, -1, -1, 0, 5})
        .Raw(f.lastBrowseFolder)
        .Int32s({0, 1, 0, qint32(f.solidColour), 0xFF0000, 0xFFFFFF, 1, f.gradientTransform})
        .Raw(f.backgroundImage)
        .Int32s({0, 6, 75, 0, 0, 4, 65, 0, 0, 0, 0, 0, 1});
}

// A version-2 file: the fixed fields, the count, the glass-reflection flag and the ids.
inline QByteArray Version2File(const FixtureFields& f, std::initializer_list<qint32> ids = {},
                               qint32 glass = 1) {
    SettingsBytes bytes;
    bytes.Raw(FixedFields(f)).Int32(qint32(ids.size())).Int32(glass).Int32s(ids);
    return bytes;
}
