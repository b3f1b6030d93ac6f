#include "sheet/SheetStyle.h"

namespace sheet {

QString sheetStyleSheet() {
    return QStringLiteral(R"(
QWidget#sheetPage { background: #f6f1e6; }
QLabel[role="section"] {
    color: #6e1717; font-weight: bold; font-size: 11pt;
    border: 0px solid #6e1717; border-bottom: 2px solid #6e1717; padding: 0px 0px 1px 0px;
}
QLabel[role="column"] { color: #4a3a2a; font-weight: bold; }
QLabel[role="value"] { color: #111111; border: 0px solid #b4a78c; border-bottom: 1px solid #b4a78c; padding: 0px 3px; }
QGroupBox {
    background: #fbf8f1; border: 1px solid #c9bc9f; border-radius: 4px;
    margin-top: 9px; padding: 6px 4px 2px 4px;
}
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0px 3px; color: #6e1717; font-weight: bold; }
QPushButton[role="step"] { min-width: 22px; max-width: 22px; padding: 1px; }
)");
}

} // namespace sheet
