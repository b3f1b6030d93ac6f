#pragma once

#include "SilentServices.h"
#include "app/Session.h"
#include "sheet/frmMain.h"

#include <QApplication>

namespace bench {

// The program's state and its main window over one database file, as start-up leaves them once
// load() has run: connection open, first character shown in browse mode, window on screen.
struct Session {
    SilentServices services;
    app::Session session{services};
    frmMain window{session};

    QString path;

    explicit Session(const QString& path) : path(path) {}
    void load() {
        window.Form_Load(path);
        window.show();
        QApplication::processEvents();
    }
    const sheet::SheetControls& ui() const { return window.ui(); }
};

// This process's peak resident memory so far, in MiB (getrusage).
double peakMemoryMiB();
// The peak resident memory of this process image since its exec, in KiB (the kernel's high-water
// mark of the address space; unlike getrusage it does not include a parent's peak).
double sessionPeakKiB();

// A session that loads, switches, saves, refills the roster and exports, the way a user's first
// minutes go; the child process of the memory benchmark runs it alone.
void typicalSession(const QString& path, int characters);

} // namespace bench
