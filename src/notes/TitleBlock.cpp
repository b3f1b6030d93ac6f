#include "notes/TitleBlock.h"

#include <QFrame>
#include <QLabel>

namespace notes {

QLabel* titleLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("Abaddon"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(18);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QFrame* titleLine() {
    auto* line = new QFrame;
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace notes
