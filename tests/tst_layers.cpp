// The layer rules of the source tree: the slideshow's layers build no widgets, and only the
// platform layer talks to X11, D-Bus or GSettings.

#include "TestMain.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

struct Include {
    QString file;
    int line;
    QString header;
};

QList<Include> IncludesBelow(const QString& folder) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*#\\s*include\\s*[<\"]([^>\"]+)[>\"]"));
    QList<Include> includes;
    QDirIterator it(QStringLiteral(SKYLOOM_SOURCE_DIR "/src/") + folder, {"*.h", "*.cpp"},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        int number = 0;
        while (!file.atEnd()) {
            ++number;
            const auto match = pattern.match(QString::fromUtf8(file.readLine()));
            if (match.hasMatch())
                includes.append({file.fileName(), number, match.captured(1)});
        }
    }
    return includes;
}

bool IsWidgetsHeader(const QString& header) {
    static const QStringList widgets = [] {
        QStringList names;
        QDirIterator it(QStringLiteral(QT_WIDGETS_INCLUDE_DIR), QDir::Files);
        while (it.hasNext())
            names << QFileInfo(it.next()).fileName();
        return names;
    }();
    return header.startsWith("QtWidgets") || widgets.contains(header);
}

bool IsDesktopSessionHeader(const QString& header) {
    static const QRegularExpression desktop(
        QStringLiteral("^(X11/|xcb/|QtDBus|QDBus|gio/|glib|QtGui/qpa/|QtGui/private/|QX11Info)"));
    return desktop.match(header).hasMatch();
}

} // namespace

class TestLayers : public QObject {
    Q_OBJECT

private slots:
    void slideshowLayersBuildNoWidgets_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("library") << "library";
        QTest::newRow("engine") << "engine";
        QTest::newRow("composer") << "composer";
        QTest::newRow("settings") << "settings";
    }

    void slideshowLayersBuildNoWidgets() {
        QFETCH(QString, folder);
        QVERIFY(IsWidgetsHeader("QWidget")); // the header list was found
        for (const Include& include : IncludesBelow(folder))
            QVERIFY2(!IsWidgetsHeader(include.header), qPrintable(QString("%1:%2 includes %3")
                                                                      .arg(include.file)
                                                                      .arg(include.line)
                                                                      .arg(include.header)));
    }

    void onlyThePlatformTalksToTheSession() {
        for (const char* folder : {"library", "engine", "composer", "settings", "app", "ui"})
            for (const Include& include : IncludesBelow(folder))
                QVERIFY2(!IsDesktopSessionHeader(include.header),
                         qPrintable(QString("%1:%2 includes %3")
                                        .arg(include.file)
                                        .arg(include.line)
                                        .arg(include.header)));
    }
};

SKYLOOM_TEST_MAIN(TestLayers, QCoreApplication)
#include "tst_layers.moc"
