#include "SqlErrorBox.h"

#include "CSQL3Exception.h"
#include "MessageReporter.h"

namespace skyloom {

void ShowSqlError(const CSQL3Exception& error) {
    MessageReporter().ShowMessage(
        QLatin1String(kApplicationTitle),
        QStringLiteral("Code (%1): %2").arg(QString::number(error.Code()), error.Message()),
        MessageStyle::Ok | MessageStyle::IconExclamation);
}

} // namespace skyloom
