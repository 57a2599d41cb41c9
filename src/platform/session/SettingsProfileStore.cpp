#include "SettingsProfileStore.h"

#include <QSettings>

#include <cerrno>

namespace skyloom::platform {
namespace {

constexpr char kOrganisation[] = "Kestrelworks";
constexpr char kApplication[] = "Skyloom";

QSettings::Scope ScopeOf(ProfileRoot root) {
    return root == ProfileRoot::LocalMachine ? QSettings::SystemScope : QSettings::UserScope;
}

QString KeyOf(const QString& keyPath, const QString& name) {
    QString path = keyPath;
    path.replace(u'\\', u'/');
    while (path.endsWith(u'/'))
        path.chop(1);
    return path.isEmpty() ? name : path + u'/' + name;
}

int ErrorOf(const QSettings& settings) {
    switch (settings.status()) {
    case QSettings::NoError:
        return 0;
    case QSettings::AccessError:
        return EACCES;
    case QSettings::FormatError:
        return EINVAL;
    }
    return EIO;
}

} // namespace

std::optional<QString> SettingsProfileStore::ReadString(ProfileRoot root, const QString& keyPath,
                                                        const QString& name, int* error) {
    QSettings settings(QSettings::IniFormat, ScopeOf(root), kOrganisation, kApplication);
    const QVariant value = settings.value(KeyOf(keyPath, name));
    *error = ErrorOf(settings);
    if (*error != 0 || !value.isValid())
        return std::nullopt;
    return value.toString();
}

bool SettingsProfileStore::WriteString(ProfileRoot root, const QString& keyPath,
                                       const QString& name, const QString& text, int* error) {
    QSettings settings(QSettings::IniFormat, ScopeOf(root), kOrganisation, kApplication);
    settings.setValue(KeyOf(keyPath, name), text);
    settings.sync();
    *error = ErrorOf(settings);
    return *error == 0;
}

} // namespace skyloom::platform
