#pragma once

#include "../Platform.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>

namespace skyloom::platform {

// Deterministic facilities for tests: folders below a root, a desktop colour and a screen size
// that the test sets, and a profile kept in memory.
class DummyFolders final : public IFolders {
public:
    explicit DummyFolders(const QString& home) : m_home(home) {}
    QString DocumentsFolder() const override { return m_home + QStringLiteral("/Documents"); }
    QString PicturesFolder() const override { return m_home + QStringLiteral("/Pictures"); }

private:
    QString m_home;
};

class DummyDesktopInfo final : public IDesktopInfo {
public:
    QString BackgroundColourText() const override { return colourText; }
    QSize PrimaryScreenSize() const override { return screenSize; }
    // The monitors set, or one primary monitor of the screen size at 0,0.
    std::vector<MonitorInfo> Monitors() const override {
        if (monitors.empty())
            return {{QStringLiteral("DUMMY-1"), QRect(QPoint(0, 0), screenSize), true}};
        std::vector<MonitorInfo> sorted = monitors;
        SortMonitors(sorted);
        return sorted;
    }

    QString colourText;
    QSize screenSize{1920, 1080};
    std::vector<MonitorInfo> monitors;
};

class DummyProfileStore final : public IProfileStore {
public:
    std::optional<QString> ReadString(ProfileRoot root, const QString& keyPath, const QString& name,
                                      int* error) override;
    bool WriteString(ProfileRoot root, const QString& keyPath, const QString& name,
                     const QString& text, int* error) override;

    // When non-zero, every call fails with this code.
    int failWith = 0;

private:
    QHash<QString, QString> m_values;
};

// Records what it was asked to apply or clear; fails with a set message when told to.
class DummyWallpaper final : public IWallpaper {
public:
    bool Apply(const QString& path, QString* error) override {
        applied << path;
        *error = failWith;
        return failWith.isEmpty();
    }
    bool Clear(QString* error) override {
        ++cleared;
        *error = failWith;
        return failWith.isEmpty();
    }
    QString Name() const override { return QStringLiteral("dummy"); }
    bool WantsMonitorFiles() const override { return wantsMonitorFiles; }
    bool ApplyMonitors(const MonitorWallpapers& wallpapers, QString* error) override {
        monitorWallpapers.push_back(wallpapers);
        return Apply(wallpapers.canvas, error);
    }

    QStringList applied;
    std::vector<MonitorWallpapers> monitorWallpapers; // also listed in applied by their canvas
    bool wantsMonitorFiles = false;
    int cleared = 0;
    QString failWith;
};

// An idle clock the test sets; nothing means the session cannot tell.
class DummyIdleTime final : public IIdleTime {
public:
    std::optional<qint64> IdleMilliseconds() override { return idleMs; }
    std::optional<qint64> idleMs = 0;
};

// A full dummy set below the given home folder; the returned pointers stay owned by the set.
struct DummyPlatform {
    std::unique_ptr<Platform> services;
    DummyDesktopInfo* desktop = nullptr;
    DummyProfileStore* profile = nullptr;
    DummyWallpaper* wallpaper = nullptr;
    DummyIdleTime* idle = nullptr;
};
DummyPlatform CreateDummyPlatform(const QString& home);

} // namespace skyloom::platform
