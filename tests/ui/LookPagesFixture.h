#pragma once

#include "DummyServices.h"
#include "Screenshots.h"
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

// Saves a page with its preview composed for the pixel ratio: drawn once at the ratio, so that
// the preview composes for it, then saved once the picture is there.
inline bool SaveLookPageScreenshot(QWidget& page, CXDesktopST& preview, const QString& name,
                                   bool dark, qreal ratio) {
    page.resize(page.minimumSizeHint());
    QImage scratch(page.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    scratch.setDevicePixelRatio(ratio);
    page.render(&scratch);
    return WaitForPreview(preview) && SaveScreenshot(page, name, dark, ratio);
}

} // namespace skyloom::test
