#include "CMainApp.h"

#include "CPSMainDialog.h"
#include "TerminationSignals.h"
#include "Version.h"
#include "platform/Platform.h"
#include "ui/widgets/MessageBoxReporter.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace skyloom {
namespace {

enum class CommandLine { Run, Done, Error };

// Parsed before any display is opened, so that --help and --version work anywhere.
CommandLine ParseCommandLine(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("%1: shows photos from your photo folders as the desktop wallpaper.")
            .arg(QLatin1String(kApplicationTitle)));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(core.arguments())) {
        std::fprintf(stderr, "skyloom: %s\n", qUtf8Printable(parser.errorText()));
        return CommandLine::Error;
    }
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return CommandLine::Done;
    }
    if (parser.isSet(version)) {
        std::printf("Skyloom %s\n%s\n", SKYLOOM_VERSION, SKYLOOM_LEGAL_COPYRIGHT);
        return CommandLine::Done;
    }
    return CommandLine::Run;
}

} // namespace

int CMainApp::Main(int argc, char** argv) {
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrelworks"));
    QCoreApplication::setApplicationName(QStringLiteral("Skyloom"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKYLOOM_VERSION));

    switch (ParseCommandLine(argc, argv)) {
    case CommandLine::Done:
        return 0;
    case CommandLine::Error:
        return 2;
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
    MessageBoxReporter reporter;
    InstallMessageReporter(&reporter);
    TerminationSignals termination;

    int status = 0;
    {
        auto window = std::make_unique<CPSMainDialog>();
        QObject::connect(&termination, &TerminationSignals::terminationRequested, window.get(),
                         &QDialog::reject);
        QObject::connect(window.get(), &QDialog::finished, &app, &QCoreApplication::quit);
        window->show();
        status = app.exec();
    }
    InstallMessageReporter(nullptr);
    return status;
}

} // namespace skyloom
