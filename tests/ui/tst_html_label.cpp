// The hand-written HTML label: what each piece of markup draws, links and their targets, and
// malformed or huge input that must neither hang nor crash it.

#include "TestMain.h"
#include "TestProcess.h"
#include "ui/widgets/CHtmlLabel.h"
#include "ui/widgets/WebLinks.h"

#include <QApplication>
#include <QElapsedTimer>

using namespace skyloom;

namespace {

struct Drawn {
    QString text;
    bool bold = false, italic = false, underline = false, strike = false;
    int pixelSize = 0;
    QString colour;
};

// Lays the text out in a label of a known font and size; the pieces it drew.
QList<Drawn> Draw(const QString& text, CHtmlLabel& label) {
    label.SetHtml(text);
    label.Drawing();
    QList<Drawn> pieces;
    for (const CHtmlLabel::Piece& p : label.Pieces())
        pieces.append({p.text, p.font.bold(), p.font.italic(), p.font.underline(),
                       p.font.strikeOut(), p.font.pixelSize(), p.colour.name()});
    return pieces;
}

QString Texts(const QList<Drawn>& pieces) {
    QStringList texts;
    for (const Drawn& d : pieces)
        texts << d.text;
    return texts.join('|');
}

} // namespace

class TestHtmlLabel : public QObject {
    Q_OBJECT

    std::unique_ptr<CHtmlLabel> m_label;
    QString m_textColour;

private slots:
    void init() {
        m_label = std::make_unique<CHtmlLabel>();
        QFont font("DejaVu Sans");
        font.setPixelSize(12);
        m_label->setFont(font);
        m_label->resize(400, 300);
        m_textColour = m_label->palette().color(QPalette::WindowText).name();
    }

    void markup_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("texts");  // the pieces drawn, "|" between them
        QTest::addColumn<QString>("styles"); // per piece: b i u s, or - for none
        // Pieces are words with the blanks after them; a blank between tags is a piece too.
        QTest::newRow("case and nesting") << "<b>one <I>two</i> </B>three"
                                          << "one |two| |three"
                                          << "b,bi,b,-";
        QTest::newRow("close without open") << "</B></i>plain"
                                            << "plain"
                                            << "-";
        QTest::newRow("entities around a tag") << "&lt;B&gt;x"
                                               << "<B>x"
                                               << "-";
        QTest::newRow("a lone <") << "a < b"
                                  << "a |<| |b"
                                  << "-,-,-,-";
        QTest::newRow("unknown tag is text") << "<p>x"
                                             << "<|p>x"
                                             << "-,-";
        QTest::newRow("underline and strike") << "<u>u</u><strike>s</strike>"
                                              << "u|s"
                                              << "u,s";
        QTest::newRow("entities") << "&euro;&bull;&trade;&copy;&amp;&nbsp;&frac12;"
                                  << QString::fromUtf8("€•™©& ½") << "-";
        QTest::newRow("unknown entity") << "&foo;"
                                        << "&foo;"
                                        << "-";
        QTest::newRow("malformed font") << "<FONT COLOR=\"red"
                                        << "<|FONT |COLOR=\"red"
                                        << "-,-,-";
        QTest::newRow("truncated link") << "<A HREF=\"https://x"
                                        << "<|A |HREF=\"https://x"
                                        << "-,-,-";
        QTest::newRow("truncated tag") << "x<b"
                                       << "x|<|b"
                                       << "-,-,-";
        QTest::newRow("break") << "one<br>two"
                               << "one|two"
                               << "-,-";
    }

    void markup() {
        QFETCH(QString, html);
        QFETCH(QString, texts);
        QFETCH(QString, styles);
        const QList<Drawn> pieces = Draw(html, *m_label);
        QCOMPARE(Texts(pieces), texts);
        const QStringList expected = styles.split(',');
        for (int i = 0; i < pieces.size() && i < expected.size(); ++i) {
            const Drawn& d = pieces[i];
            QString got = QString(d.bold ? "b" : "") + (d.italic ? "i" : "") +
                          (d.underline ? "u" : "") + (d.strike ? "s" : "");
            QCOMPARE(got.isEmpty() ? "-" : got, expected[i]);
        }
    }

    void colours_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("colour");
        QTest::newRow("hex") << "#FF0000"
                             << "#ff0000";
        QTest::newRow("components") << "255,0,0"
                                    << "#ff0000";
        QTest::newRow("two components") << "255,0"
                                        << "#ff0000";
        QTest::newRow("name") << "Red"
                              << "#ff0000";
        QTest::newRow("CSS name") << "DarkGoldenRod"
                                  << "#b8860b";
        QTest::newRow("short hex") << "#F00"
                                   << "#000000";
        QTest::newRow("nonsense") << "not a colour"
                                  << "#000000";
    }

    void colours() {
        QFETCH(QString, value);
        QFETCH(QString, colour);
        const QList<Drawn> pieces =
            Draw(QString("<font color=\"%1\">x</font>y").arg(value), *m_label);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[0].colour, colour);
        QCOMPARE(pieces[1].colour, m_textColour); // </font> restores the colour
    }

    void systemColoursComeFromThePalette() {
        QPalette dark = m_label->palette();
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Link, QColor(120, 170, 255));
        m_label->setPalette(dark);
        const QList<Drawn> pieces =
            Draw("<font color=\"windowtext\">a</font><font color=\"HotLight\">b</font>", *m_label);
        QCOMPARE(pieces[0].colour, "#e6e6e6");
        QCOMPARE(pieces[1].colour, "#78aaff");
    }

    void sizes() {
        const QList<Drawn> pieces = Draw("a<big>b</big><small>c</small><font size=\"+4\">d</font>"
                                         "<font size=\"-20\">e</font>",
                                         *m_label);
        QCOMPARE(Texts(pieces), "a|b|c|d|e");
        QCOMPARE(pieces[0].pixelSize, 12);
        QCOMPARE(pieces[1].pixelSize, 13);
        QCOMPARE(pieces[2].pixelSize, 11);
        QCOMPARE(pieces[3].pixelSize, 16);
        QVERIFY(pieces[4].pixelSize >= 1); // never below one pixel
    }

    void rules_data() {
        QTest::addColumn<QString>("html");
        QTest::addColumn<int>("thickness");
        QTest::addColumn<bool>("resize"); // laid out again without a reset
        QTest::newRow("plain") << "a<hr>b" << 2 << false;
        QTest::newRow("size") << "a<hr size=5>b" << 5 << false;
        QTest::newRow("size and more") << "a<HR SIZE=5 NOSHADE>b" << 5 << false;
        QTest::newRow("quoted size") << "a<HR SIZE=\"5\">b" << 0 << false;
        // Each layout starts from the thickness of a reset.
        QTest::newRow("two rules, resized") << "a<hr>b<hr size=5>c" << 7 << true;
    }

    void rules() {
        QFETCH(QString, html);
        QFETCH(int, thickness);
        QFETCH(bool, resize);
        m_label->SetHtml(html);
        m_label->Drawing();
        if (resize) {
            m_label->resize(401, 300);
            QCoreApplication::processEvents();
        }
        const QImage drawing = m_label->Drawing();
        // Rows in the text colour across the middle column: the rules.
        int rows = 0;
        for (int y = 0; y < drawing.height(); ++y)
            rows += drawing.pixelColor(drawing.width() / 2, y).name() == m_textColour;
        QCOMPARE(rows, thickness);
    }

    void centreAndShift() {
        const QList<Drawn> pieces = Draw("<center>mid</center>", *m_label);
        const CHtmlLabel::Piece& mid = m_label->Pieces().front();
        QVERIFY(std::abs(mid.rect.center().x() - 200) <= 2);
        Draw("a<sub>b</sub><sup>c</sup>", *m_label);
        const auto& p = m_label->Pieces();
        QVERIFY(p[1].rect.top() > p[0].rect.top());
        QVERIFY(p[2].rect.top() < p[0].rect.top());
        Q_UNUSED(pieces);
    }

    void linksOpenOnlyWebAddresses() {
        QList<QUrl> opened;
        WebLinks::SetOpener([&](const QUrl& url) {
            opened << url;
            return true;
        });
        m_label->SetHtml("see <a href=\"https://www.example.org/help\">the help</a> now");
        m_label->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_label.get()));
        m_label->Drawing();
        QCOMPARE(m_label->Links().size(), 2u); // "the " and "help"
        const QRect area = m_label->Links().front().rect;
        QTest::mouseClick(m_label.get(), Qt::LeftButton, {}, QPoint(2, area.center().y()));
        QVERIFY(opened.isEmpty()); // outside the link
        QTest::mouseMove(m_label.get(), area.center());
        QTRY_COMPARE(m_label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(m_label.get(), Qt::LeftButton, {}, area.center());
        QCOMPARE(opened, QList<QUrl>{QUrl("https://www.example.org/help")});

        for (const char* target : {"mailto:someone@example.org", "http://example.org"})
            QVERIFY2(WebLinks::Open(target), target);
        for (const char* target : {"file:///usr/bin/xterm", "/usr/bin/xterm", "xterm -e sh",
                                   "javascript:alert(1)", "APP:Settings", "https://", ""})
            QVERIFY2(!WebLinks::Open(target), target);
        QCOMPARE(opened.size(), 3);
        WebLinks::SetOpener([](const QUrl&) { return false; });
    }

    void hugeAndHostileInputIsBounded_data() {
        QTest::addColumn<QString>("html");
        const QString unit = "<b>word</b> &amp; <font color=\"red\">more</font> ";
        QTest::newRow("1 MB of markup") << unit.repeated((1 << 20) / unit.size());
        QTest::newRow("1 MB of unclosed tags") << QString("<FONT").repeated(200000);
        QTest::newRow("1 MB of one word") << QString("x").repeated(1 << 20);
        QTest::newRow("1 MB of line breaks") << QString("<br>").repeated(250000);
        QTest::newRow("1 MB of BIG") << QString("<big>").repeated(200000) + "x";
        QTest::newRow("1 MB of carriage returns") << QString("\r").repeated(1 << 20);
        QTest::newRow("a huge size") << "<font size=\"2147483647\">x</font><font "
                                        "size=\"-2147483648\">y";
    }

    void hugeAndHostileInputIsBounded() {
        QFETCH(QString, html);
        QElapsedTimer timer;
        timer.start();
        m_label->SetHtml(html);
        m_label->Drawing();
        // A bound that catches a blow-up, not a speed figure: sanitizer builds get more time.
        QVERIFY2(timer.elapsed() < 3000 * test::kSlow,
                 qPrintable(QString::number(timer.elapsed())));
        for (const CHtmlLabel::Piece& piece : m_label->Pieces())
            QVERIFY(piece.font.pixelSize() >= 1 && piece.font.pixelSize() <= 2000);
    }

    void anOldDrawingStaysUntilAReset() {
        Draw("first", *m_label);
        m_label->SetText("second");
        m_label->Drawing();
        QCOMPARE(m_label->Pieces().front().text, "first");
        m_label->Reset();
        m_label->Drawing();
        QCOMPARE(m_label->Pieces().front().text, "second");
    }
};

SKYLOOM_TEST_MAIN(TestHtmlLabel, QApplication)
#include "tst_html_label.moc"
