#include "app/QtServices.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/frmSplash.h"
#include "app/mdlGlobal.h"
#include "sheet/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Duskledger"));
    app::QtServices services;
    app::mdlGlobal global(services);
    app::Startup startup(global, app::Settings(services.programFolder()));

    app::frmSplash splash;
    splash.show();
    if (!startup.locateDatabase())
        return 0;

    frmMain main(global);
    services.setDialogParent(&main);
    QObject::connect(&splash, &app::frmSplash::handOverRequested, [&] {
        if (!startup.loadMainWindow([&] { main.Form_Load(); })) {
            QApplication::quit();
            return;
        }
        main.show();
        splash.close();
    });
    splash.startTimer();
    return QApplication::exec();
}
