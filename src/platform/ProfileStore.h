#pragma once

#include <QString>

#include <optional>

namespace skyloom::platform {

// Which half of the key-value store a key lives in: the user's own, or the machine's.
enum class ProfileRoot { CurrentUser, LocalMachine };

// A persistent store of text values addressed by a key path ("Control Panel\Colors") and a
// value name. Both calls report failure through an errno-style code (0 on success); a value
// that is simply absent is not a failure.
class IProfileStore {
public:
    virtual ~IProfileStore() = default;
    virtual std::optional<QString> ReadString(ProfileRoot root, const QString& keyPath,
                                              const QString& name, int* error) = 0;
    virtual bool WriteString(ProfileRoot root, const QString& keyPath, const QString& name,
                             const QString& text, int* error) = 0;
};

} // namespace skyloom::platform
