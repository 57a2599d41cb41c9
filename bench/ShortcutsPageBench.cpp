// The Photo Folder Shortcuts page with a big library: the time to fill and show the page, and
// to switch the category shown, each to the first paint (medians of five).

#include "Commands.h"
#include "library/CShortcutsTable.h"
#include "settings/CAppSettings.h"
#include "ui/pages/CPPDLGShortcuts.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace skyloom;

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The page drawn once, as the screen would show it.
void Paint(QWidget& page) {
    QImage image(page.size(), QImage::Format_ARGB32_Premultiplied);
    page.render(&image);
}

int ShortcutsPage(const QStringList& args) {
    const int shortcuts = args.value(0, QStringLiteral("5000")).toInt();
    QTemporaryDir dir;
    CAppSettings settings;
    settings.SetDatabasePath(dir.path() + "/library.skdb");
    settings.SetSettingsPath(dir.path() + "/Settings.skdat");
    {
        CShortcutsTable table(settings.GetDatabasePath());
        if (!table.Open() || !table.BeginTransaction())
            return 1;
        for (int s = 0; s < shortcuts; ++s) {
            ShortcutRecord r;
            r.catId = 1 + s % 6; // the six default categories
            r.name = QString("Shortcut %1").arg(s);
            r.folder = dir.path();
            r.jpg = r.bmp = r.png = r.tiff = r.recursive = 1;
            r.numPhotos = s;
            if (table.Insert(r) != 1)
                return 1;
        }
        // A tenth of them queued.
        for (int id = 1; id <= shortcuts; id += 10)
            settings.m_arrQueue.push_back(id);
        if (!table.CommitTransaction())
            return 1;
    }
    std::vector<double> show, change;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        CPPDLGShortcuts page(&settings);
        page.resize(520, 380);
        page.Initialize();
        page.show();
        Paint(page);
        show.push_back(clock.nsecsElapsed() / 1e6);
        auto* combo = page.findChild<QComboBox*>("categoryCombo");
        clock.restart();
        const int index = 1 + run % (combo->count() - 1);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        Paint(page);
        change.push_back(clock.nsecsElapsed() / 1e6);
        // And back to every shortcut, the longest list.
        clock.restart();
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        Paint(page);
        change.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("shortcuts=%d queued=%zu show_ms=%.1f switch_ms=%.1f\n", shortcuts,
                settings.m_arrQueue.size(), Median(show), Median(change));
    return 0;
}

const RegisterBench page("shortcuts-page", {"[SHORTCUTS]", ShortcutsPage, true});

} // namespace
