#include "CHtmlLabel.h"

#include "HtmlColours.h"
#include "WebLinks.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>

#include <array>

namespace skyloom {
namespace {

struct Entity {
    const char* name;
    char16_t character; // the Windows-1252 character, as Unicode
};

constexpr std::array<Entity, 24> kEntities{{
    {"&amp;", u'&'},         {"&bull;", u'\u2022'},   {"&cent;", u'\u00A2'},
    {"&copy;", u'\u00A9'},   {"&deg;", u'\u00B0'},    {"&euro;", u'\u20AC'},
    {"&frac12;", u'\u00BD'}, {"&frac14;", u'\u00BC'}, {"&gt;", u'>'},
    {"&iquest;", u'\u00BF'}, {"&lt;", u'<'},          {"&micro;", u'\u00B5'},
    {"&middot;", u'\u00B7'}, {"&nbsp;", u' '},        {"&para;", u'\u00B6'},
    {"&plusmn;", u'\u00B1'}, {"&pound;", u'\u00A3'},  {"&quot;", u'"'},
    {"&reg;", u'\u00AE'},    {"&sect;", u'\u00A7'},   {"&sup1;", u'\u00B9'},
    {"&sup2;", u'\u00B2'},   {"&times;", u'\u00D7'},  {"&trade;", u'\u2122'},
}};

// Entities stand in the text as characters of the private-use area while it is read, so that
// a decoded "<" is never taken for a tag; they become their characters where text is drawn.
constexpr char16_t kEntityBase = 0xE000;

QString EncodeEntities(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        bool replaced = false;
        if (text[i] == u'&') {
            for (std::size_t k = 0; k < kEntities.size(); ++k) {
                const QLatin1String name(kEntities[k].name);
                if (QStringView(text).mid(i, name.size()) == name) {
                    out += QChar(char16_t(kEntityBase + k));
                    i += name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}

QString Shown(QStringView text) {
    QString out = text.toString();
    for (QChar& c : out)
        if (c.unicode() >= kEntityBase && c.unicode() < kEntityBase + 0x100) {
            const std::size_t k = c.unicode() - kEntityBase;
            c = k < kEntities.size() ? QChar(kEntities[k].character) : QChar(u' ');
        }
    return out;
}

bool StartsWith(QStringView text, qsizetype at, QLatin1String tag) {
    return text.mid(at, tag.size()).compare(tag, Qt::CaseInsensitive) == 0;
}

// The state of the walk through the text.
struct Walk {
    int bold = 0, italic = 0, underline = 0, strike = 0, centre = 0, sub = 0, sup = 0;
    int baseHeight = -12; // font heights as negative pixel sizes, larger in magnitude is bigger
    int height = -12;
    QString baseFace, face;
    bool sizeChanged = false;
    QColor baseText, text, baseBackground, background;
    bool inLink = false;
    QString target;
    int link = -1;
    int pendingRules = 0;
    int ruleThickness = 2; // after a reset; SIZE of a rule changes it
    int x = 0, y = 0, lineHeight = 0;

    static void Decrease(int& depth) { depth = std::max(0, depth - 1); }
    QFont Font() const {
        QFont font(face);
        font.setStyleHint(face.contains(QLatin1String("Courier"), Qt::CaseInsensitive)
                              ? QFont::TypeWriter
                              : QFont::SansSerif);
        font.setPixelSize(std::max(1, std::abs(height)));
        font.setBold(bold > 0);
        font.setItalic(italic > 0);
        font.setUnderline(underline > 0);
        font.setStrikeOut(strike > 0);
        return font;
    }
    // Heights stay within what a screen can show, however many BIGs or SIZEs the text holds.
    static constexpr qint64 kMaxHeight = 2000;
    void SetHeight(qint64 h) { height = int(std::clamp(h, -kMaxHeight, kMaxHeight)); }
    void Bigger(int step) { SetHeight(qint64(height) + (height < 0 ? -step : step)); }
};

} // namespace

CHtmlLabel::CHtmlLabel(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
}

void CHtmlLabel::Reset() {
    m_rebuild = true;
    m_hoveredLink = -1;
    m_ruleThickness = 2;
}

void CHtmlLabel::SetText(const QString& text) {
    m_text = text;
    // Read out as its text: the tags go, the entities become their characters.
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    setAccessibleName(Shown(EncodeEntities(text).remove(tags)));
}

void CHtmlLabel::SetHtml(const QString& text) {
    Reset();
    SetText(text);
    update();
}

void CHtmlLabel::SetTransparent(bool transparent) {
    m_transparent = transparent;
    m_rebuild = true;
    update();
}

QImage CHtmlLabel::Drawing() {
    if (m_rebuild || m_drawing.isNull())
        Layout();
    return m_drawing;
}

QSize CHtmlLabel::sizeHint() const {
    return {300, 4 * fontMetrics().height()};
}

void CHtmlLabel::Layout() {
    m_rebuild = false;
    m_links.clear();
    m_pieces.clear();
    m_hoveredLink = -1;
    const qreal ratio = devicePixelRatioF();
    m_drawing = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    m_drawing.setDevicePixelRatio(ratio);
    const QColor windowColour = palette().color(QPalette::Window);
    m_drawing.fill(m_transparent ? QColor(Qt::transparent) : windowColour);
    if (m_text.isEmpty() || m_drawing.isNull())
        return;
    QPainter painter(&m_drawing);
    const int width = this->width();
    const int bottom = this->height();

    Walk w;
    const QFont base = font();
    w.baseFace = w.face = base.family();
    const int basePixels =
        base.pixelSize() > 0 ? base.pixelSize() : qRound(base.pointSizeF() * logicalDpiY() / 72.0);
    w.baseHeight = w.height = -std::max(1, basePixels);
    w.baseText = w.text = palette().color(QPalette::WindowText);
    w.baseBackground = w.background = windowColour;

    const QString text = EncodeEntities(m_text);
    const QStringView view(text);
    // The position of the next ">" at or after a point; the walk only moves forward, so the
    // searches together read the text once.
    qsizetype nextGt = -2;
    const auto closingAt = [&](qsizetype from) {
        if (nextGt != -1 && nextGt < from)
            nextGt = text.indexOf(QLatin1Char('>'), from);
        return nextGt;
    };

    const auto newLine = [&](const QFontMetrics& metrics) {
        w.y += w.lineHeight > 0 ? w.lineHeight : metrics.height();
        w.x = 0;
        w.lineHeight = 0;
    };
    const auto drawRules = [&] {
        for (; w.pendingRules > 0; --w.pendingRules) {
            if (w.ruleThickness > 0 && w.y < bottom)
                painter.fillRect(QRect(0, w.y, width, w.ruleThickness), w.text);
            w.y += w.ruleThickness;
        }
    };

    // Lays out one piece of text with word wrap.
    const auto layOut = [&](QStringView segment) {
        const QFont font = w.Font();
        const QFontMetrics metrics(font);
        painter.setFont(font);
        int shift = 0;
        if (w.sub > 0)
            shift += metrics.ascent() / 2;
        if (w.sup > 0)
            shift -= metrics.ascent() / 2;
        if (w.centre > 0) {
            const int segmentWidth = metrics.horizontalAdvance(Shown(segment));
            if (segmentWidth < width)
                w.x = (width - segmentWidth) / 2;
        }
        qsizetype i = 0;
        while (i < segment.size()) {
            if (w.y >= bottom - 1)
                return;
            if (segment[i] == u'\n' ||
                (segment[i] == u'\r' && i + 1 < segment.size() && segment[i + 1] == u'\n')) {
                i += segment[i] == u'\r' ? 2 : 1;
                newLine(metrics);
                continue;
            }
            if (segment[i] == u'\r') { // a carriage return alone is not text
                ++i;
                continue;
            }
            // A word with the blanks that follow it.
            qsizetype end = i;
            while (end < segment.size() && segment[end] != u' ' && segment[end] != u'\n' &&
                   segment[end] != u'\r')
                ++end;
            while (end < segment.size() && segment[end] == u' ')
                ++end;
            if (end == i)
                end = i + 1; // a lone carriage return
            QString word = Shown(segment.mid(i, end - i));
            i = end;
            int advance = metrics.horizontalAdvance(word);
            if (w.x > 0 && w.x + advance > width - 2) {
                newLine(metrics);
                word = word.trimmed().isEmpty() ? QString() : word;
            }
            if (w.x == 0) { // a line begins: its leading blanks go
                qsizetype blanks = 0;
                while (blanks < word.size() && word[blanks] == u' ')
                    ++blanks;
                word.remove(0, blanks);
                advance = metrics.horizontalAdvance(word);
            }
            if (word.isEmpty())
                continue;
            const QRect box(w.x, w.y + shift, advance, metrics.height());
            if (w.y + metrics.height() <= bottom) {
                if (!m_transparent && w.background != windowColour)
                    painter.fillRect(box, w.background);
                painter.setPen(w.text);
                painter.drawText(QPoint(w.x, w.y + shift + metrics.ascent()), word);
                m_pieces.push_back({word, font, w.text, box});
            }
            if (w.inLink)
                m_links.push_back({box, w.target, w.link});
            w.x += advance;
            w.lineHeight = std::max(w.lineHeight, metrics.height());
        }
    };

    qsizetype pos = 0;
    while (pos < text.size() && w.y < bottom - 1) {
        bool lineBreak = false;
        if (text[pos] != u'<') {
            qsizetype end = text.indexOf(QLatin1Char('<'), pos);
            if (end < 0)
                end = text.size();
            layOut(view.mid(pos, end - pos));
            pos = end;
            continue;
        }
        const auto tag = [&](const char* name) {
            const QLatin1String t(name);
            if (!StartsWith(view, pos, t))
                return false;
            pos += t.size();
            return true;
        };
        if (tag("<B>")) {
            ++w.bold;
        } else if (tag("</B>")) {
            Walk::Decrease(w.bold);
        } else if (tag("<I>")) {
            ++w.italic;
        } else if (tag("</I>")) {
            Walk::Decrease(w.italic);
        } else if (tag("<U>")) {
            ++w.underline;
        } else if (tag("</U>")) {
            Walk::Decrease(w.underline);
        } else if (tag("<STRIKE>")) {
            ++w.strike;
        } else if (tag("</STRIKE>")) {
            Walk::Decrease(w.strike);
        } else if (tag("<CENTER>")) {
            ++w.centre;
        } else if (tag("</CENTER>")) {
            Walk::Decrease(w.centre);
        } else if (tag("<SUB>")) {
            ++w.sub;
        } else if (tag("</SUB>")) {
            Walk::Decrease(w.sub);
        } else if (tag("<SUP>")) {
            ++w.sup;
        } else if (tag("</SUP>")) {
            Walk::Decrease(w.sup);
        } else if (tag("<BIG>") || tag("</SMALL>")) {
            w.Bigger(1);
        } else if (tag("<SMALL>") || tag("</BIG>")) {
            w.Bigger(-1);
        } else if (tag("</FONT>")) {
            if (w.sizeChanged)
                w.y += QFontMetrics(w.Font()).descent();
            w.text = w.baseText;
            w.background = w.baseBackground;
            w.height = w.baseHeight;
            w.face = w.baseFace;
            w.sizeChanged = false;
        } else if (tag("<CODE>")) {
            w.face = QStringLiteral("Courier New");
        } else if (tag("</CODE>")) {
            w.height = w.baseHeight;
            w.face = w.baseFace;
        } else if (tag("</A>")) {
            w.inLink = false;
        } else if (tag("<BR>")) {
            lineBreak = true;
        } else if (const qsizetype close = closingAt(pos);
                   close > 0 && (StartsWith(view, pos, QLatin1String("<FONT")) ||
                                 StartsWith(view, pos, QLatin1String("<A HREF=")) ||
                                 StartsWith(view, pos, QLatin1String("<HR")))) {
            // A tag with attributes, read up to its ">".
            const bool font = StartsWith(view, pos, QLatin1String("<FONT"));
            const bool anchor = StartsWith(view, pos, QLatin1String("<A HREF="));
            const qsizetype start = pos + (font ? 5 : anchor ? 8 : 3);
            const QStringView attributes = view.mid(start, close - start);
            pos = close + 1;
            if (anchor) {
                const qsizetype open = attributes.indexOf(u'"');
                const qsizetype shut = open < 0 ? -1 : attributes.indexOf(u'"', open + 1);
                w.target = shut > open ? Shown(attributes.mid(open + 1, shut - open - 1))
                                       : Shown(attributes).trimmed();
                w.inLink = true;
                ++w.link;
            } else if (font) {
                qsizetype a = 0;
                while (a < attributes.size()) {
                    if (attributes[a] == u' ') {
                        ++a;
                        continue;
                    }
                    const auto valueOf = [&](const char* name, QString& value) {
                        const QLatin1String n(name);
                        if (!StartsWith(attributes, a, n))
                            return false;
                        a += n.size();
                        const qsizetype endQuote = attributes.indexOf(u'"', a);
                        value = Shown(
                            attributes.mid(a, (endQuote < 0 ? attributes.size() : endQuote) - a));
                        a = endQuote < 0 ? attributes.size() : endQuote + 1;
                        return true;
                    };
                    QString value;
                    if (valueOf("COLOR=\"", value)) {
                        w.text = ParseHtmlColour(value, palette());
                    } else if (valueOf("BGCOLOR=\"", value)) {
                        w.background = ParseHtmlColour(value, palette());
                    } else if (valueOf("FACE=\"", value)) {
                        w.face = value.left(31);
                    } else if (valueOf("SIZE=\"", value)) {
                        w.SetHeight(qint64(w.height) - value.trimmed().toLongLong());
                        w.sizeChanged = true;
                    } else {
                        while (a < attributes.size() && attributes[a] != u' ')
                            ++a; // an attribute of no meaning here
                    }
                }
            } else { // <HR, optionally SIZE=n unquoted
                const qsizetype size =
                    attributes.indexOf(QLatin1String("SIZE="), 0, Qt::CaseInsensitive);
                if (size >= 0) {
                    // The digits that follow, as far as they go; none (a quoted value) is 0.
                    qsizetype end = size + 5;
                    while (end < attributes.size() && attributes[end].isDigit() && end - size < 12)
                        ++end;
                    const int thickness = attributes.mid(size + 5, end - size - 5).toInt();
                    w.ruleThickness = std::clamp(thickness, 0, 1000);
                }
                ++w.pendingRules;
                lineBreak = true;
            }
        } else {
            // Not a tag of the table: the "<" is text.
            layOut(view.mid(pos, 1));
            ++pos;
        }
        if (lineBreak) {
            newLine(QFontMetrics(w.Font()));
            drawRules();
        }
    }
    m_ruleThickness = w.ruleThickness;
}

void CHtmlLabel::paintEvent(QPaintEvent*) {
    if (m_rebuild || m_drawing.isNull() || m_drawing.devicePixelRatio() != devicePixelRatioF())
        Layout();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_drawing);
    if (m_hoveredLink >= 0) {
        // The hovered link is underlined in the link colour.
        const QColor colour = palette().color(QPalette::Link);
        for (const LinkArea& area : m_links)
            if (area.link == m_hoveredLink)
                painter.fillRect(
                    QRect(area.rect.left(), area.rect.bottom() - 1, area.rect.width(), 1), colour);
    }
}

void CHtmlLabel::resizeEvent(QResizeEvent* event) {
    m_rebuild = true;
    QWidget::resizeEvent(event);
}

void CHtmlLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        m_rebuild = true;
    QWidget::changeEvent(event);
}

int CHtmlLabel::LinkAt(const QPoint& point) const {
    for (const LinkArea& area : m_links)
        if (area.rect.contains(point))
            return area.link;
    return -1;
}

void CHtmlLabel::mouseMoveEvent(QMouseEvent* event) {
    const int link = LinkAt(event->position().toPoint());
    if (link != m_hoveredLink) {
        m_hoveredLink = link;
        if (link >= 0)
            setCursor(Qt::PointingHandCursor);
        else
            unsetCursor();
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void CHtmlLabel::leaveEvent(QEvent* event) {
    if (m_hoveredLink >= 0) {
        m_hoveredLink = -1;
        unsetCursor();
        update();
    }
    QWidget::leaveEvent(event);
}

void CHtmlLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        for (const LinkArea& area : m_links)
            if (area.rect.contains(event->position().toPoint())) {
                // In-program commands ("APP:...") are not offered by this program.
                if (!area.target.startsWith(QLatin1String("APP:"), Qt::CaseInsensitive) &&
                    !area.target.startsWith(QLatin1String("\"APP:"), Qt::CaseInsensitive))
                    WebLinks::Open(area.target);
                emit linkActivated(area.target);
                break;
            }
    QWidget::mouseReleaseEvent(event);
}

} // namespace skyloom
