#include "SlideshowCommand.h"

#include "CSingleInstance.h"
#include "PathsAndSettings.h"
#include "RemoteCommands.h"
#include "SlideshowSetup.h"
#include "TerminationSignals.h"
#include "engine/DesktopWallpaper.h"
#include "settings/CAppSettings.h"

#include <QCoreApplication>

#include <cstdio>

namespace skyloom {

int RunSlideshow(CSingleInstance& instance) {
    CAppSettings settings;
    const StartupPaths startup = RunPathsAndSettings(settings);

    if (settings.m_bClearOnStartup)
        ClearDesktopWallpaper();
    CSlideshowEngine engine(SessionEngineSetup(settings, startup));
    engine.ApplySnapshot(SnapshotOf(settings));
    WatchSessionMonitors(engine);

    QString shown;
    QObject::connect(&engine, &CSlideshowEngine::statusChanged, &engine,
                     [&shown](const QString& status) {
                         if (status == shown)
                             return;
                         shown = status;
                         std::printf("%s\n", qUtf8Printable(status));
                         std::fflush(stdout);
                     });
    QObject::connect(&engine, &CSlideshowEngine::unableToDisplay, &engine, [] {
        std::fprintf(stderr, "skyloom: no queued photo passes the Wallpaper Settings (minimum "
                             "size or photo orientation); the slideshow is paused\n");
    });
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested,
                     QCoreApplication::instance(), &QCoreApplication::quit);

    bool ending = false;
    bool clearAtExit = false;
    RemoteTarget target;
    target.engine = &engine;
    target.quit = [&](bool exitSwitch) {
        if (exitSwitch) {
            // "/x": the exit question is not asked again, and the wallpaper goes.
            settings.m_bConfirmExit = 0;
            settings.Save();
            engine.Pause();
            clearAtExit = true; // once the workers have ended: no change can come after it
        }
        ending = true;
        QCoreApplication::quit();
    };
    target.shuttingDown = [&ending] { return ending; };
    instance.SetHandler([&target](const QByteArray& bytes) {
        return AnswerInstanceMessage(DecodeInstanceMessage(bytes), target);
    });

    if (settings.m_bAutoQueue)
        RunAutoQueue(engine, settings);
    else
        engine.BuildQueue(settings.m_arrQueue);
    QCoreApplication::exec();
    ending = true;
    instance.SetHandler({});
    engine.Shutdown();
    if (settings.m_bClearOnExit || clearAtExit)
        ClearDesktopWallpaper();
    return 0;
}

} // namespace skyloom
