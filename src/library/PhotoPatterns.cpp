#include "PhotoPatterns.h"

#include <QFile>

#include <cstring>

namespace skyloom {

QString BuildPatterns(bool jpeg, bool bmp, bool png, bool tiff) {
    QString text;
    if (jpeg)
        text += QStringLiteral("*.jpg;*.jpeg;");
    if (bmp)
        text += QStringLiteral("*.bmp;");
    if (png)
        text += QStringLiteral("*.png;");
    if (tiff)
        text += QStringLiteral("*.tif;*.tiff;");
    return text;
}

bool MatchesPhotoPatterns(const QString& fileName, const QString& lowerPatterns) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot == fileName.size() - 1)
        return false;
    return lowerPatterns.contains(fileName.mid(dot).toLower());
}

bool PhotoNameMatcher::operator()(const char* name) const {
    const char* dot = std::strrchr(name, '.');
    if (!dot || dot[1] == '\0')
        return false;
    // Extensions are ASCII almost always: lower-case and search the bytes. Anything else goes
    // through the text comparison.
    char ext[16];
    std::size_t length = 0;
    for (const char* p = dot; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x80 || length == sizeof ext)
            return MatchesPhotoPatterns(QFile::decodeName(name), m_patterns);
        ext[length++] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    }
    return m_bytes.contains(QByteArrayView(ext, qsizetype(length)));
}

} // namespace skyloom
