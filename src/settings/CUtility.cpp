#include "CUtility.h"

#include "library/MessageReporter.h"
#include "platform/Platform.h"

#include <cstring>

namespace skyloom {

QString CUtility::GetRegString(const QString& keyPath, const QString& name,
                               const QString& defaultText, Root root) {
    int error = 0;
    const std::optional<QString> value =
        platform::Services().profile->ReadString(root, keyPath, name, &error);
    if (error != 0)
        ReportLastError(QStringLiteral("GetRegString"), error);
    return value.value_or(defaultText);
}

bool CUtility::SetRegString(const QString& keyPath, const QString& name, const QString& text,
                            Root root) {
    int error = 0;
    if (platform::Services().profile->WriteString(root, keyPath, name, text, &error))
        return true;
    ReportLastError(QStringLiteral("SetRegString"), error);
    return false;
}

void CUtility::ReportLastError(const QString& routine, int code) {
    if (code == 0)
        return;
    const QString title = QStringLiteral("Utility Class Error in %1 (%2)").arg(routine).arg(code);
    MessageReporter().ShowMessage(title, QString::fromLocal8Bit(std::strerror(code)),
                                  MessageStyle::Ok);
}

} // namespace skyloom
