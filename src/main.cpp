#include "app/QtServices.h"
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
        return print::runExportCommand(application.arguments(), QCoreApplication::applicationDirPath());
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Duskledger"));
    app::QtServices services;
    app::Session session(services);
    app::Startup startup(services, app::Settings(services.programFolder()));

    app::frmSplash splash;
    splash.show();
    const std::optional<QString> path = startup.locateDatabase();
    if (!path)
        return 0;

    frmMain main(session);
    services.setDialogParent(&main);
    QObject::connect(&splash, &app::frmSplash::handOverRequested, [&] {
        if (!startup.loadMainWindow(*path, [&](const QString& file) { main.Form_Load(file); })) {
            QApplication::quit();
            return;
        }
        main.show();
        splash.close();
    });
    splash.startTimer();
    return app::runUntilEnded([&] { return main.endWithoutQuestions(); });
}
