#include "TextHelpers.h"

#include "StoredForm.h"

#include <QStringList>

namespace skyloom {
namespace {

// Makes every part of the text that a separator splits off begin upper-case, and turns the
// separators into blanks.
QString CapitaliseParts(const QString& text, QChar separator) {
    QString joined;
    for (QString part : text.split(separator, Qt::SkipEmptyParts)) {
        part[0] = part[0].toUpper();
        joined += part + u' ';
    }
    return joined.trimmed();
}

} // namespace

QString AutoCorrectName(const QString& text) {
    QString name = text;
    name.replace(u'.', u' ');
    name.replace(QStringLiteral("  "), QStringLiteral(" "));
    for (QChar c : {u'{', u'}', u'[', u']', u'#', u'!', u'|', u'%', u'$', u'(', u')'})
        name.replace(c, u' ');
    name.replace(QStringLiteral("&"), QStringLiteral(" & "));

    QStringList words;
    for (QString word : name.split(u' ', Qt::SkipEmptyParts)) {
        if (word.size() > 3)
            word = word.toLower();
        word[0] = word[0].toUpper();
        if (word.startsWith(QStringLiteral("Mc")) && word.size() > 2)
            word[2] = word[2].toUpper();
        words << word;
    }
    name = words.join(u' ').trimmed();

    name = CapitaliseParts(name, u'-');
    name = CapitaliseParts(name, u'_');
    name.replace(QStringLiteral("   "), QStringLiteral(" "));
    name.replace(QStringLiteral("  "), QStringLiteral(" "));
    return name.trimmed();
}

QString EncodeForQuery(const QString& text) {
    return EncodeShortcutText(text.trimmed());
}

QString FormatNumber(int n) {
    QString text = QString::number(n);
    const int sign = n < 0 ? 1 : 0;
    for (qsizetype position = text.size(); position - sign >= 4;) {
        position -= 3;
        text.insert(position, u',');
    }
    return text;
}

QString FormatCount(const QString& noun, int n) {
    return FormatNumber(n) + u' ' + noun + (n == 1 ? QString() : QStringLiteral("s"));
}

QString SetTrailingBackslash(const QString& path, bool add) {
    QString result = path.trimmed();
    if (add && !result.endsWith(u'/'))
        result += u'/';
    else if (!add && result.endsWith(u'/'))
        result.chop(1);
    return result;
}

} // namespace skyloom
