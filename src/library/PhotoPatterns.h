#pragma once

#include <QByteArray>
#include <QString>

namespace skyloom {

// The pattern text that the start-up clean-up of the scratch folder uses.
inline constexpr char kScratchPatterns[] = "*.jpg;*.png;*.bmp;*.tif;*.tiff;*.jpeg;";

// The pattern text for the chosen photo formats, in the fixed order JPEG, BMP, PNG, TIFF.
QString BuildPatterns(bool jpeg, bool bmp, bool png, bool tiff);

// True when the file name's extension (with its dot, lower-cased) occurs anywhere in the
// lower-cased pattern text. The text is searched as plain text, never as wildcards, so
// "*.jpg;" also admits ".jp". A name without an extension is never a photo.
bool MatchesPhotoPatterns(const QString& fileName, const QString& lowerPatterns);

// The same test for a file name as the file system gives it, made for walks over many files:
// ASCII extensions are compared as bytes, anything else through the text test.
class PhotoNameMatcher {
public:
    explicit PhotoNameMatcher(const QString& lowerPatterns)
        : m_patterns(lowerPatterns), m_bytes(lowerPatterns.toUtf8()) {}
    bool operator()(const char* name) const;

private:
    QString m_patterns;
    QByteArray m_bytes;
};

} // namespace skyloom
