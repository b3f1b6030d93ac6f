#include "app/QtServices.h"
#include "app/Services.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/TerminationSignals.h"
#include "app/frmSplash.h"
#include "print/CommandLine.h"
#include "sheet/frmMain.h"

#include <QApplication>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // An export from the command line shows no window and needs no display.
    if (print::isExportCommand(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error carries the export's own reasons only, not the toolkit's chatter.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qPrintable(message));
        });
        QGuiApplication application(argc, argv);
        return print::runExportCommand(application.arguments(),
                                      app::resourceFolder(QCoreApplication::applicationDirPath()));
    }
    // --help and --version need no display: answered before the toolkit looks for one.
    QStringList early;
    for (int i = 0; i < argc; ++i)
        early << QString::fromLocal8Bit(argv[i]);
    const app::StartCommand asked = app::readStartCommand(early);
    if (asked.kind == app::StartCommand::Kind::Help) {
        std::fputs(qPrintable(app::usageText()), stdout);
        return 0;
    }
    if (asked.kind == app::StartCommand::Kind::Version) {
        std::printf("Duskledger %s\n", qPrintable(app::ProgramInfo::versionLine().section(QLatin1Char(' '), 1)));
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Duskledger"));
    // The toolkit's own options (-platform, -style ...) are gone from arguments() now.
    const app::StartCommand command = app::readStartCommand(application.arguments());
    if (command.kind == app::StartCommand::Kind::Wrong) {
        std::fprintf(stderr, "duskledger: %s\n%s", qPrintable(command.wrong), qPrintable(app::usageText()));
        return 2;
    }
    app::QtServices services;
    app::Session session(services);
    const app::Settings settings(services.programFolder());
    app::Startup startup(services, settings);

    app::frmSplash splash;
    splash.show();
    const std::optional<QString> path =
        command.file.isEmpty() ? startup.locateDatabase() : startup.useGiven(command.file);
    if (!path)
        return 0;

    frmMain main(session);
    services.setDialogParent(&main);
    QObject::connect(&splash, &app::frmSplash::handOverRequested, [&] {
        if (!startup.loadMainWindow(*path, [&](const QString& file) { main.Form_Load(file); })) {
            QApplication::quit();
            return;
        }
        settings.rememberDatabase(session.path());
        main.show();
        splash.close();
    });
    splash.startTimer();
    return app::runUntilEnded([&] { return main.endWithoutQuestions(); });
}
