#pragma once

#include "../ProfileStore.h"

namespace skyloom::platform {

// The application profile kept by QSettings as an INI file: the user's half in the user's
// config folder, the machine's half in the system config folder.
class SettingsProfileStore final : public IProfileStore {
public:
    std::optional<QString> ReadString(ProfileRoot root, const QString& keyPath, const QString& name,
                                      int* error) override;
    bool WriteString(ProfileRoot root, const QString& keyPath, const QString& name,
                     const QString& text, int* error) override;
};

} // namespace skyloom::platform
