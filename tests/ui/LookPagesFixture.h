#pragma once

#include "DummyServices.h"
#include "settings/CAppSettings.h"
#include "ui/pages/CXDesktopST.h"
#include "ui/pages/LookPagesHost.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace skyloom::test {

// Records what a look page marks for Apply.
struct RecordingLookHost final : ILookPagesHost {
    unsigned changes = 0;
    unsigned filters = 0;
    int calls = 0;
    void MarkChanged(unsigned changeBits, unsigned filterBits) override {
        changes |= changeBits;
        filters |= filterBits;
        ++calls;
    }
    void Clear() { *this = RecordingLookHost(); }
};

// A settings record with its file and the background thumbnail in a temporary folder, over the
// dummy platform (a 1920 by 1080 screen, a profile kept in memory).
struct LookPagesFixture {
    QTemporaryDir dir;
    DummyServices services{dir.path()};
    CAppSettings settings;

    LookPagesFixture() {
        settings.SetSettingsPath(dir.path() + "/Settings.skdat");
        settings.SetBackgroundImagePath(dir.path() + "/SKBackground.png");
        settings.SetDataFolder(dir.path());
    }
    QString Thumbnail() const { return settings.GetBackgroundImagePath(); }
    CAppSettings Stored() const {
        CAppSettings stored;
        stored.SetSettingsPath(settings.GetSettingsPath());
        stored.Load();
        return stored;
    }
};

// Waits until the preview shows the picture of its latest settings.
inline bool WaitForPreview(CXDesktopST& preview, int timeoutMs = 10000) {
    return QTest::qWaitFor([&] { return preview.IsCurrent(); }, timeoutMs);
}

} // namespace skyloom::test
