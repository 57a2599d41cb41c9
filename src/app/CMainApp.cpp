#include "CMainApp.h"

#include "CPSMainDialog.h"
#include "CSingleInstance.h"
#include "ComposeCommand.h"
#include "RemoteCommands.h"
#include "SlideshowCommand.h"
#include "TerminationSignals.h"
#include "Version.h"
#include "platform/Platform.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/MessageBoxReporter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

namespace skyloom {
namespace {

struct CommandLine {
    enum Mode { Run, Done, Error, Compose, Slideshow, Remote } mode = Run;
    ComposeRequest compose;
    QString remote;        // the remote command
    QStringList arguments; // the positional arguments, handed to a running copy
};

// Parsed before any display is opened, so that --help, --version and --compose work anywhere.
CommandLine ParseCommandLine(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption compose(
        "compose", "Compose one wallpaper from PHOTO with the look of the settings and exit.",
        "PHOTO");
    const QCommandLineOption output("output", "Write the composed wallpaper (JPEG) to FILE.",
                                    "FILE");
    const QCommandLineOption screen("screen",
                                    "Compose for a screen of this size instead of the primary "
                                    "screen's (needed without a display).",
                                    "WIDTHxHEIGHT");
    const QCommandLineOption settings(
        "settings", "Take the look from this settings file instead of your own.", "FILE");
    const QCommandLineOption apply("apply", "Also make the composed file the desktop wallpaper.");
    const QCommandLineOption monitors(
        "monitors",
        "primary (the default): one photo for the primary screen; each: one photo per monitor, "
        "the PHOTOs handed out left to right, then top to bottom, the last one reused, in one "
        "picture of the whole desktop.",
        "primary|each");
    const QCommandLineOption slideshow(
        "slideshow", "Run the slideshow with your settings and photo library, without any window, "
                     "until ended by a signal.");
    parser.addOptions({compose, output, screen, settings, apply, monitors, slideshow});
    const QStringList remoteHelp{
        "Change the wallpaper of the running Skyloom now.",
        "Pause the running Skyloom's slideshow.",
        "Resume the running Skyloom's slideshow.",
        "Pause the running Skyloom's slideshow, or resume it when paused.",
        "Pause the running Skyloom's slideshow and clear the wallpaper.",
        "Show the running Skyloom's window.",
        "End the running Skyloom without asking.",
        "Print whether the running Skyloom is running or paused, the photos queued, the photo "
        "shown and the seconds to the next change."};
    std::vector<QCommandLineOption> remotes;
    for (qsizetype i = 0; i < RemoteCommandNames().size(); ++i)
        remotes.emplace_back(RemoteCommandNames()[i], remoteHelp[i]);
    for (const QCommandLineOption& remote : remotes)
        parser.addOption(remote);
    parser.addPositionalArgument(
        "/x", "With Skyloom running: end it without asking, and stop the exit question.");
    parser.setApplicationDescription(
        QStringLiteral("%1: shows photos from your photo folders as the desktop wallpaper.")
            .arg(QLatin1String(kApplicationTitle)));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const auto fail = [](const QString& message) {
        std::fprintf(stderr, "skyloom: %s\n", qUtf8Printable(message));
        return CommandLine{CommandLine::Error, {}, {}, {}};
    };
    if (!parser.parse(core.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return {CommandLine::Done, {}, {}, {}};
    }
    if (parser.isSet(version)) {
        std::printf("Skyloom %s\n%s\n", SKYLOOM_VERSION, SKYLOOM_LEGAL_COPYRIGHT);
        return {CommandLine::Done, {}, {}, {}};
    }
    QStringList asked;
    for (const QCommandLineOption& remote : remotes)
        if (parser.isSet(remote))
            asked << remote.names().first();
    if (asked.size() > 1)
        return fail(QStringLiteral("one command at a time: --%1").arg(asked.join(" --")));
    if (asked.size() == 1) {
        if (parser.isSet(compose) || parser.isSet(slideshow))
            return fail(QStringLiteral("--%1 goes alone").arg(asked.first()));
        CommandLine remote{CommandLine::Remote, {}, asked.first(), {}};
        return remote;
    }
    if (!parser.isSet(compose)) {
        for (const QCommandLineOption* only : {&output, &screen, &settings, &apply, &monitors})
            if (parser.isSet(*only))
                return fail(QStringLiteral("--%1 goes with --compose").arg(only->names().first()));
        return {parser.isSet(slideshow) ? CommandLine::Slideshow : CommandLine::Run,
                {},
                {},
                parser.positionalArguments()};
    }
    if (parser.isSet(slideshow))
        return fail(QStringLiteral("--slideshow and --compose do not go together"));
    if (!parser.isSet(output))
        return fail(QStringLiteral("--compose needs --output FILE"));
    const QString monitorChoice =
        parser.isSet(monitors) ? parser.value(monitors) : QStringLiteral("primary");
    if (monitorChoice != u"primary" && monitorChoice != u"each")
        return fail(QStringLiteral("--monitors takes primary or each"));
    if (monitorChoice == u"primary" && parser.values(compose).size() > 1)
        return fail(QStringLiteral("several photos go with --monitors each"));
    return {CommandLine::Compose,
            {parser.values(compose), parser.value(output), parser.value(screen),
             parser.value(settings), parser.isSet(apply), monitorChoice},
            {},
            {}};
}

// The commands that show no window: without a display the off-screen platform serves.
void UseOffscreenWithoutDisplay() {
    if (!platform::HasGraphicalSession() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

int Compose(int argc, char** argv, const ComposeRequest& request) {
    UseOffscreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    return RunCompose(request);
}

int Slideshow(int argc, char** argv, CSingleInstance& instance) {
    UseOffscreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    instance.Listen();
    return RunSlideshow(instance);
}

// Hands a message to the running copy and prints its answer: 0, or 1 when none runs.
int SendToRunningCopy(int argc, char** argv, const InstanceMessage& message) {
    QCoreApplication core(argc, argv);
    const std::optional<QByteArray> answer = CSingleInstance::Send(EncodeInstanceMessage(message));
    if (!answer) {
        std::fprintf(stderr, "Skyloom is not running\n");
        return 1;
    }
    if (!answer->isEmpty())
        std::printf("%s\n", answer->constData());
    return 0;
}

// The desktop's token that lets the running copy's window take the focus.
QString ActivationToken() {
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    return token.isEmpty() ? qEnvironmentVariable("DESKTOP_STARTUP_ID") : token;
}

} // namespace

int CMainApp::Main(int argc, char** argv) {
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrelworks"));
    QCoreApplication::setApplicationName(QStringLiteral("Skyloom"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKYLOOM_VERSION));

    const CommandLine command = ParseCommandLine(argc, argv);
    switch (command.mode) {
    case CommandLine::Done:
        return 0;
    case CommandLine::Error:
        return 2;
    case CommandLine::Compose:
        return Compose(argc, argv, command.compose);
    case CommandLine::Remote:
        return SendToRunningCopy(argc, argv, {command.remote, {}, {}});
    case CommandLine::Slideshow:
    case CommandLine::Run:
        break;
    }

    // One copy a user, checked before the display: "/x" and the commands work from a console.
    CSingleInstance instance;
    if (!instance.IsFirstInstance()) {
        InstanceMessage start{QStringLiteral("start"), ActivationToken(), command.arguments};
        // Within the channel's limit, "/x" must get through: the token goes first, then every
        // argument but the exit switch.
        if (EncodeInstanceMessage(start).size() > CSingleInstance::kMaxMessage)
            start.activationToken.clear();
        if (EncodeInstanceMessage(start).size() > CSingleInstance::kMaxMessage)
            start.arguments = HasExitSwitch(start.arguments) ? QStringList{"/x"} : QStringList{};
        return SendToRunningCopy(argc, argv, start);
    }
    if (command.mode == CommandLine::Slideshow)
        return Slideshow(argc, argv, instance);

    if (!platform::HasGraphicalSession()) {
        std::fprintf(stderr,
                     "%s\nSkyloom requires a graphical desktop session (X11 or Wayland) "
                     "in order to run.\nExiting Skyloom.\n",
                     kApplicationTitle);
        return 1;
    }

    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    app.setWindowIcon(Artwork::ApplicationIcon());
    MessageBoxReporter reporter;
    InstallMessageReporter(&reporter);
    TerminationSignals termination;

    // A logout or a kill ends the program through its normal exit, once, even while a message
    // box or dialog is open (the start-up may show one before the window exists): every open
    // box is closed and shows no successor, and the window is closed or never shown.
    std::unique_ptr<CPSMainDialog> window;
    bool terminating = false;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &app, [&] {
        if (std::exchange(terminating, true))
            return;
        reporter.StopShowing();
        if (window)
            window->EndSession();
        else
            CPSMainDialog::CloseOpenDialogs(nullptr);
    });

    int status = 0;
    window = std::make_unique<CPSMainDialog>();
    instance.Listen();
    instance.SetHandler([&window](const QByteArray& bytes) {
        CPSMainDialog* w = window.get();
        RemoteTarget target;
        target.engine = &w->Engine();
        target.show = [w](const QString& token) { w->ShowFromRemote(token); };
        target.quit = [w](bool exitSwitch) { w->ExitWithoutQuestion(exitSwitch); };
        target.shuttingDown = [w] { return w->IsClosing(); };
        return AnswerInstanceMessage(DecodeInstanceMessage(bytes), target);
    });
    QObject::connect(window.get(), &CPSMainDialog::closing, &app,
                     [&reporter] { reporter.StopShowing(); });
    // A log-out or signal during the start-up has ended the window already.
    if (!terminating && !window->IsClosing()) {
        QObject::connect(window.get(), &QDialog::finished, &app, &QCoreApplication::quit);
        window->ShowAtStart();
        status = app.exec();
    }
    reporter.StopShowing();
    window.reset();
    InstallMessageReporter(nullptr);
    return status;
}

} // namespace skyloom
