#pragma once

#include "platform/dummy/DummyPlatform.h"

namespace skyloom::test {

// Installs the dummy platform below a home folder for its lifetime, and restores the previous
// facilities afterwards.
class DummyServices {
public:
    explicit DummyServices(const QString& home)
        : m_dummy(platform::CreateDummyPlatform(home)), desktop(*m_dummy.desktop),
          profile(*m_dummy.profile), wallpaper(*m_dummy.wallpaper),
          m_previous(platform::InstallServices(std::move(m_dummy.services))) {}
    ~DummyServices() { platform::InstallServices(std::move(m_previous)); }

private:
    platform::DummyPlatform m_dummy;

public:
    platform::DummyDesktopInfo& desktop;
    platform::DummyProfileStore& profile;
    platform::DummyWallpaper& wallpaper;

private:
    std::unique_ptr<platform::Platform> m_previous;
};

} // namespace skyloom::test
