// Writes a picture of the main window on a database, as the README shows it: sheetshot FILE.mdb
// OUT.png [WIDTH HEIGHT]. Runs under any platform, the offscreen one included; the bitmaps are
// found beside this program as beside duskledger.

#include "app/QtServices.h"
#include "app/Session.h"
#include "sheet/frmMain.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3 && arguments.size() != 5) {
        std::fprintf(stderr, "usage: sheetshot FILE.mdb OUT.png [WIDTH HEIGHT]\n");
        return 2;
    }
    const QSize size = arguments.size() == 5 ? QSize(arguments[3].toInt(), arguments[4].toInt()) : QSize(1366, 740);
    app::QtServices services;
    app::Session session(services);
    frmMain window(session);
    window.Form_Load(arguments[1]);
    window.resize(size);
    window.show();
    QApplication::processEvents();
    const bool written = window.grab().save(arguments[2], "PNG");
    session.close();
    if (!written)
        std::fprintf(stderr, "sheetshot: cannot write %s\n", qPrintable(arguments[2]));
    return written ? 0 : 1;
}
