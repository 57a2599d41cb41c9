// The Options page over a real settings file and library: each check saved at once, the counts
// brought into their limits, AutoQueue's controls following its check, a category that is gone,
// what the window is told, and the page's look.

#include "Screenshots.h"
#include "ShortcutLibraryFixture.h"
#include "TestMain.h"
#include "ui/pages/CPPDLGOptions.h"
#include "ui/pages/OptionsPageHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

using namespace skyloom;

namespace {

struct RecordingHost final : IOptionsPageHost {
    QStringList calls;
    void AutoStartChanged(bool on) override { calls << QString("autostart %1").arg(on); }
    void TrayIconChanged(bool shown) override { calls << QString("tray %1").arg(shown); }
    void LiveOptionsChanged() override { calls << "live"; }
    void CategoriesChanged() override { calls << "categories"; }
};

} // namespace

class TestOptionsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ShortcutLibrary> m_library;
    std::unique_ptr<CPPDLGOptions> m_page;
    RecordingHost m_host;

    void Open() {
        m_page = std::make_unique<CPPDLGOptions>(&m_library->settings);
        m_page->SetHost(&m_host);
        m_page->Initialize();
        m_page->resize(460, 420);
        m_page->show();
        m_host.calls.clear();
    }
    void Type(const char* spin, const QString& text) {
        auto* box = m_page->findChild<QSpinBox*>(spin);
        QVERIFY(box);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

private slots:
    void init() {
        m_library = std::make_unique<test::ShortcutLibrary>();
        m_library->settings.Save();
        Open();
    }
    void cleanup() {
        m_page.reset();
        m_library.reset();
    }

    void checksSaveAtOnce_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("told");
        QTest::newRow("auto-start") << "autoStartCheck"
                                    << "Automatically Start at Log In"
                                    << "autostart 0";
        QTest::newRow("tray icon") << "alwaysShowTrayCheck"
                                   << "Always Show SysTray Icon"
                                   << "tray 0";
        QTest::newRow("pause on start-up") << "pauseOnStartupCheck"
                                           << "Pause Slideshow On Startup"
                                           << "live";
        QTest::newRow("confirm delete") << "confirmDeleteCheck"
                                        << "Confirm before Deleting Photo Shortcuts"
                                        << "";
        QTest::newRow("new shortcuts' TIFF") << "tiffCheck"
                                             << "TIFF"
                                             << "";
        QTest::newRow("idle mode") << "idleOnlyCheck"
                                   << "Run Slideshow when Computer is idle"
                                   << "live";
    }

    void checksSaveAtOnce() {
        QFETCH(QString, check);
        QFETCH(QString, caption);
        QFETCH(QString, told);
        auto* box = m_page->findChild<QCheckBox*>(check);
        QVERIFY(box);
        QCOMPARE(box->text(), caption);
        const bool before = box->isChecked();
        const CAppSettings was = m_library->Stored();
        box->click();
        const CAppSettings now = m_library->Stored();
        QCOMPARE(box->isChecked(), !before);
        // Exactly one stored field changed, to the check's new state.
        const auto fields = [](const CAppSettings& s) {
            return QList<int>{s.m_bAutoStart,     s.m_bAlwaysShowTrayIcon, s.m_bPauseOnStartup,
                              s.m_bConfirmDelete, s.m_bDefaultTiff,        s.m_bIdleOnly};
        };
        int changed = 0;
        for (int i = 0; i < fields(was).size(); ++i)
            if (fields(was)[i] != fields(now)[i]) {
                ++changed;
                QCOMPARE(fields(now)[i], int(!before));
            }
        QCOMPARE(changed, 1);
        QCOMPARE(m_host.calls.join(','), told);
    }

    void countsBroughtIntoTheirLimits_data() {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("AutoQueue 0") << "autoQueueCountSpin"
                                     << "0" << 1;
        QTest::newRow("AutoQueue 1500") << "autoQueueCountSpin"
                                        << "1500" << 999;
        QTest::newRow("AutoQueue 42") << "autoQueueCountSpin"
                                      << "42" << 42;
        QTest::newRow("idle 3") << "idleSecondsSpin"
                                << "3" << 5;
        QTest::newRow("idle 75") << "idleSecondsSpin"
                                 << "75" << 60;
        QTest::newRow("idle 15") << "idleSecondsSpin"
                                 << "15" << 15;
    }

    void countsBroughtIntoTheirLimits() {
        QFETCH(QString, spin);
        QFETCH(QString, typed);
        QFETCH(int, shown);
        // The controls are live only with their checks on.
        m_page->findChild<QCheckBox*>("autoQueueCheck")->setChecked(false);
        m_page->findChild<QCheckBox*>("autoQueueCheck")->click();
        m_page->findChild<QCheckBox*>("idleOnlyCheck")->setChecked(false);
        m_page->findChild<QCheckBox*>("idleOnlyCheck")->click();
        Type(qPrintable(spin), typed);
        QCOMPARE(m_page->findChild<QSpinBox*>(spin)->value(), shown);
        const CAppSettings stored = m_library->Stored();
        QCOMPARE(spin == "idleSecondsSpin" ? stored.m_nIdleSeconds : stored.m_nAutoQueueCount,
                 shown);
    }

    void autoQueueControlsFollowTheirCheck() {
        auto* check = m_page->findChild<QCheckBox*>("autoQueueCheck");
        auto* combo = m_page->findChild<QComboBox*>("autoQueueCategoryCombo");
        for (bool on : {true, false}) {
            check->setChecked(!on);
            check->click();
            QCOMPARE(combo->isEnabled(), on);
            QCOMPARE(m_page->findChild<QSpinBox*>("autoQueueCountSpin")->isEnabled(), on);
            QCOMPARE(m_library->Stored().m_bAutoQueue, int(on));
        }
        QCOMPARE(combo->itemText(0), "All");
    }

    void categoryThatIsGone() {
        // The AutoQueue category becomes "All", saved; the default category stays unselected
        // with its value kept.
        m_page.reset();
        m_library->settings.m_nAutoQueueCategoryId = 77;
        m_library->settings.m_nDefaultCategoryId = 78;
        m_library->settings.Save();
        Open();
        QCOMPARE(m_page->findChild<QComboBox*>("autoQueueCategoryCombo")->currentText(), "All");
        QCOMPARE(m_library->Stored().m_nAutoQueueCategoryId, -1);
        QCOMPARE(m_page->findChild<QComboBox*>("defaultCategoryCombo")->currentIndex(), -1);
        QCOMPARE(m_library->Stored().m_nDefaultCategoryId, 78);
    }

    void screenshots_data() { test::AddScreenshotRows(); }

    void screenshots() {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        test::UsePalette(dark);
        m_page.reset();
        Open();
        QVERIFY(test::SaveScreenshot(*m_page, "options-page", dark, ratio));
        test::UsePalette(false);
    }
};

SKYLOOM_TEST_MAIN(TestOptionsPage, QApplication)
#include "tst_options_page.moc"
