#include "CMainApp.h"

#include "CPSMainDialog.h"
#include "ComposeCommand.h"
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
#include <utility>

namespace skyloom {
namespace {

// Closes every dialog and message box that is open, however deeply nested, so that each
// modal run returns to its caller.
void CloseOpenDialogs(const QWidget* keep) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget);
            dialog && dialog != keep && dialog->isVisible())
            dialog->reject();
}

struct CommandLine {
    enum Mode { Run, Done, Error, Compose, Slideshow } mode = Run;
    ComposeRequest compose;
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
    const QCommandLineOption slideshow(
        "slideshow", "Run the slideshow with your settings and photo library, without any window, "
                     "until ended by a signal.");
    parser.addOptions({compose, output, screen, settings, apply, slideshow});
    parser.setApplicationDescription(
        QStringLiteral("%1: shows photos from your photo folders as the desktop wallpaper.")
            .arg(QLatin1String(kApplicationTitle)));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const auto fail = [](const QString& message) {
        std::fprintf(stderr, "skyloom: %s\n", qUtf8Printable(message));
        return CommandLine{CommandLine::Error, {}};
    };
    if (!parser.parse(core.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return {CommandLine::Done, {}};
    }
    if (parser.isSet(version)) {
        std::printf("Skyloom %s\n%s\n", SKYLOOM_VERSION, SKYLOOM_LEGAL_COPYRIGHT);
        return {CommandLine::Done, {}};
    }
    if (!parser.isSet(compose)) {
        for (const QCommandLineOption* only : {&output, &screen, &settings, &apply})
            if (parser.isSet(*only))
                return fail(QStringLiteral("--%1 goes with --compose").arg(only->names().first()));
        return {parser.isSet(slideshow) ? CommandLine::Slideshow : CommandLine::Run, {}};
    }
    if (parser.isSet(slideshow))
        return fail(QStringLiteral("--slideshow and --compose do not go together"));
    if (!parser.isSet(output))
        return fail(QStringLiteral("--compose needs --output FILE"));
    return {CommandLine::Compose,
            {parser.value(compose), parser.value(output), parser.value(screen),
             parser.value(settings), parser.isSet(apply)}};
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

int Slideshow(int argc, char** argv) {
    UseOffscreenWithoutDisplay();
    QGuiApplication app(argc, argv);
    return RunSlideshow();
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
    case CommandLine::Slideshow:
        return Slideshow(argc, argv);
    case CommandLine::Run:
        break;
    }

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
        CloseOpenDialogs(window.get());
        if (window)
            window->reject();
    });

    int status = 0;
    window = std::make_unique<CPSMainDialog>();
    QObject::connect(window.get(), &CPSMainDialog::closing, &app,
                     [&reporter] { reporter.StopShowing(); });
    if (!terminating) {
        QObject::connect(window.get(), &QDialog::finished, &app, &QCoreApplication::quit);
        window->show();
        status = app.exec();
    }
    reporter.StopShowing();
    window.reset();
    InstallMessageReporter(nullptr);
    return status;
}

} // namespace skyloom
