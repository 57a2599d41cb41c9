#pragma once

#include <QImage>
#include <QUrl>
#include <QWidget>

#include <functional>
#include <vector>

namespace skyloom {

// A label that shows a small subset of HTML, laid out by hand: B, I, U, STRIKE, CENTER, SUB,
// SUP, BIG, SMALL, FONT (COLOR, BGCOLOR, FACE, SIZE), CODE, A HREF, HR (SIZE) and BR, in any
// letter case, and 24 named entities. Any other "<" is text. The layout is drawn once, at the
// screen's pixel ratio, each time the text is set after a reset; paints copy that drawing.
// Links show the hand cursor and are underlined in the link colour while hovered; a click
// opens http, https and mailto addresses in the desktop's programs and nothing else
// (WebLinks).
class CHtmlLabel final : public QWidget {
    Q_OBJECT
public:
    struct LinkArea {
        QRect rect; // in the label's coordinates
        QString target;
        int link = 0; // which link of the text it belongs to
    };

    // A piece of text as the last layout drew it.
    struct Piece {
        QString text;
        QFont font;
        QColor colour;
        QRect rect;
    };

    explicit CHtmlLabel(QWidget* parent = nullptr);

    // Forgets the drawing: the next paint lays the text out again.
    void Reset();
    // Sets the text. Shown at the next paint after a Reset; without one, the old drawing stays.
    void SetText(const QString& text);
    // Resets, sets the text and repaints: what an owner normally does.
    void SetHtml(const QString& text);
    QString Text() const { return m_text; }
    // Draws over whatever lies behind the label instead of filling its background.
    void SetTransparent(bool transparent);

    const std::vector<LinkArea>& Links() const { return m_links; }
    const std::vector<Piece>& Pieces() const { return m_pieces; }
    // The drawing the label shows, laid out first if need be.
    QImage Drawing();
    // The rule thickness and other layout results of the last layout, for tests.
    int LastRuleThickness() const { return m_ruleThickness; }

    QSize sizeHint() const override;

signals:
    void linkActivated(const QString& target);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Layout();
    int LinkAt(const QPoint& point) const;

    QString m_text;
    bool m_rebuild = true;
    bool m_transparent = false;
    QImage m_drawing;
    std::vector<LinkArea> m_links;
    std::vector<Piece> m_pieces;
    int m_hoveredLink = -1;
    int m_ruleThickness = 2;
};

} // namespace skyloom
