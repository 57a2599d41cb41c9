#include "RemoteCommands.h"

#include "engine/CSlideshowEngine.h"
#include "library/TextHelpers.h"

namespace skyloom {
namespace {

constexpr QChar kSeparator(0x1F); // between the fields of a message

QByteArray StatusLine(CSlideshowEngine& engine) {
    QString line = engine.IsPaused() ? QStringLiteral("paused") : QStringLiteral("running");
    line += QStringLiteral(", %1 queued").arg(FormatCount("photo", engine.PhotosQueued()));
    const QString photo = engine.State().currentPhoto;
    if (!photo.isEmpty())
        line += QStringLiteral(", showing %1").arg(photo);
    if (const int seconds = engine.SecondsToNextChange(); seconds >= 0)
        line += QStringLiteral(", next change in %1 s").arg(seconds);
    line += engine.PhotoPerMonitor() ? QStringLiteral(", a photo on each monitor")
                                     : QStringLiteral(", one photo on the primary monitor");
    return line.toUtf8();
}

} // namespace

QByteArray EncodeInstanceMessage(const InstanceMessage& message) {
    QStringList fields{message.command, message.activationToken};
    fields += message.arguments;
    return fields.join(kSeparator).toUtf8();
}

InstanceMessage DecodeInstanceMessage(const QByteArray& bytes) {
    const QStringList fields = QString::fromUtf8(bytes).split(kSeparator);
    InstanceMessage message;
    message.command = fields.value(0);
    message.activationToken = fields.value(1);
    message.arguments = fields.mid(2);
    return message;
}

const QStringList& RemoteCommandNames() {
    static const QStringList names{"next",  "pause", "resume", "toggle-pause",
                                   "clear", "show",  "quit",   "status"};
    return names;
}

bool HasExitSwitch(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if (argument.trimmed()
                .remove(QLatin1Char('"'))
                .compare(QLatin1String("/x"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QByteArray AnswerInstanceMessage(const InstanceMessage& message, const RemoteTarget& target) {
    if (target.shuttingDown && target.shuttingDown())
        return "Skyloom is shutting down";
    CSlideshowEngine& engine = *target.engine;
    const QString& command = message.command;
    if (command == u"start" || command.isEmpty()) {
        // A second start: "/x" ends this copy; otherwise the window comes to the front.
        if (HasExitSwitch(message.arguments)) {
            target.quit(true);
            return "Skyloom is exiting";
        }
        if (!target.show)
            return "Skyloom is already running (without a window)";
        target.show(message.activationToken);
        return {};
    }
    if (command == u"next") {
        engine.Next();
        return "Next wallpaper";
    }
    if (command == u"pause") {
        engine.Pause();
        return "Paused";
    }
    if (command == u"resume") {
        engine.Resume();
        return "Resumed";
    }
    if (command == u"toggle-pause") {
        engine.TogglePause();
        return engine.IsPaused() ? "Paused" : "Resumed";
    }
    if (command == u"clear") {
        engine.PauseAndClear();
        return "Paused and cleared the wallpaper";
    }
    if (command == u"show") {
        if (!target.show)
            return "Skyloom runs without a window";
        target.show(message.activationToken);
        return "Shown";
    }
    if (command == u"quit") {
        target.quit(false);
        return "Skyloom is exiting";
    }
    if (command == u"status")
        return StatusLine(engine);
    return "Unknown command";
}

} // namespace skyloom
