#include "DummyPlatform.h"

namespace skyloom::platform {
namespace {

QString KeyOf(ProfileRoot root, const QString& keyPath, const QString& name) {
    return QString::number(static_cast<int>(root)) + u'|' + keyPath + u'|' + name;
}

} // namespace

std::optional<QString> DummyProfileStore::ReadString(ProfileRoot root, const QString& keyPath,
                                                     const QString& name, int* error) {
    *error = failWith;
    if (failWith != 0)
        return std::nullopt;
    const auto it = m_values.constFind(KeyOf(root, keyPath, name));
    if (it == m_values.cend())
        return std::nullopt;
    return *it;
}

bool DummyProfileStore::WriteString(ProfileRoot root, const QString& keyPath, const QString& name,
                                    const QString& text, int* error) {
    *error = failWith;
    if (failWith != 0)
        return false;
    m_values.insert(KeyOf(root, keyPath, name), text);
    return true;
}

DummyPlatform CreateDummyPlatform(const QString& home) {
    DummyPlatform dummy;
    dummy.services = std::make_unique<Platform>();
    dummy.services->folders = std::make_unique<DummyFolders>(home);
    auto desktop = std::make_unique<DummyDesktopInfo>();
    auto profile = std::make_unique<DummyProfileStore>();
    dummy.desktop = desktop.get();
    dummy.profile = profile.get();
    dummy.services->desktop = std::move(desktop);
    dummy.services->profile = std::move(profile);
    auto wallpaper = std::make_unique<DummyWallpaper>();
    dummy.wallpaper = wallpaper.get();
    dummy.services->wallpaper = std::move(wallpaper);
    auto idle = std::make_unique<DummyIdleTime>();
    dummy.idle = idle.get();
    dummy.services->idle = std::move(idle);
    return dummy;
}

} // namespace skyloom::platform
