#include "Session.h"

#include "ChronicleMaker.h"
#include "export/HtmlExport.h"
#include "ratings/DotRow.h"
#include "sheet/SheetControls.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace bench {

double peakMemoryMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double sessionPeakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

void typicalSession(const QString& path, int characters) {
    Session session(path);
    session.load();
    sheet::CharacterSheet& sheet = session.window.sheet();
    for (int i = 1; i <= 10; ++i)
        sheet.switchTo(characterKey(i * characters / 11));
    sheet.enterEditMode();
    session.ui().PBAtt[0]->setValue(4);
    session.ui().txtHaven->setText(QStringLiteral("The old mill"));
    sheet.leaveEditMode();
    sheet.refreshRoster();
    QTemporaryDir folder;
    exporter::writeCharacterHtml(*session.session.database, QString::number(*session.session.shownKey),
                                 folder.filePath(QStringLiteral("sheet.htm")));
    QApplication::processEvents();
}

} // namespace bench
