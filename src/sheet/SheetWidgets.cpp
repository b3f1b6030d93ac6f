#include "sheet/SheetWidgets.h"

#include "app/TypedCombo.h"
#include "ratings/DotRow.h"
#include "sheet/ElidedLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sheet::widgets {

QLabel* sectionHeading(const QString& text) {
    auto* label = new QLabel(text);
    label->setProperty("role", QStringLiteral("section"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* columnHeading(const QString& text) {
    auto* label = new QLabel(text);
    label->setProperty("role", QStringLiteral("column"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* caption(const QString& text, const QString& name) {
    auto* label = new QLabel(text);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setProperty("role", QStringLiteral("caption"));
    return label;
}

QLabel* valueLabel(const QString& name) {
    auto* label = new ElidedLabel;
    label->setObjectName(name);
    label->setProperty("role", QStringLiteral("value"));
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // A long value is elided at the edge of its place rather than widening the whole sheet.
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 6);
    return label;
}

QLineEdit* textBox(const QString& name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

QComboBox* editableCombo(const QString& name) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    app::keepTypedText(*combo);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    combo->setMaxVisibleItems(20);
    return combo;
}

QComboBox* choiceCombo(const QString& name, const QStringList& items) {
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

ratings::DotRow* dotRow(const ratings::BitmapStore& bitmaps, const QString& name, ratings::Family family) {
    auto* row = new ratings::DotRow(bitmaps);
    row->setObjectName(name);
    row->setFamily(family);
    return row;
}

QPushButton* button(const QString& name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    return b;
}

void matchHeight(QLabel* label, QWidget* editor) {
    label->setMinimumHeight(editor->sizeHint().height());
}

} // namespace sheet::widgets
