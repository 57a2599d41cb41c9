#include "Platform.h"

#include <QtGlobal>

#include <mutex>

namespace skyloom::platform {
namespace {

std::mutex g_mutex;
std::unique_ptr<Platform> g_services;

} // namespace

Platform& Services() {
    std::lock_guard lock(g_mutex);
    if (!g_services)
        g_services = CreateSessionPlatform();
    return *g_services;
}

std::unique_ptr<Platform> InstallServices(std::unique_ptr<Platform> services) {
    std::lock_guard lock(g_mutex);
    g_services.swap(services);
    return services;
}

bool HasGraphicalSession() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace skyloom::platform
