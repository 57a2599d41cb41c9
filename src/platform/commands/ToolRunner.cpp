#include "ToolRunner.h"

#include <QProcess>

namespace skyloom::platform {
namespace {

constexpr int kTimeoutMs = 10000;

} // namespace

bool RunTool(const QString& program, const QStringList& arguments, QString* error,
             QByteArray* output, const QString& name) {
    const QString tool = name.isEmpty() ? program : name;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(kTimeoutMs)) {
        *error = QStringLiteral("cannot run %1: %2").arg(tool, process.errorString());
        return false;
    }
    if (!process.waitForFinished(kTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        *error = QStringLiteral("%1 did not finish").arg(tool);
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        *error =
            QStringLiteral("%1 failed (exit %2)%3")
                .arg(tool)
                .arg(process.exitCode())
                .arg(said.isEmpty() ? QString() : QStringLiteral(": ") + said.section(u'\n', 0, 0));
        return false;
    }
    return true;
}

} // namespace skyloom::platform
