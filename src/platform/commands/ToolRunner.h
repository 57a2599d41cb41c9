#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace skyloom::platform {

// Runs a desktop's command-line tool and waits for it (at most a few seconds). True when it ran
// and exited 0; otherwise error says what went wrong in one line, naming the tool as name (the
// program when name is empty).
bool RunTool(const QString& program, const QStringList& arguments, QString* error,
             QByteArray* output = nullptr, const QString& name = {});

} // namespace skyloom::platform
