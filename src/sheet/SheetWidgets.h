#pragma once

#include "ratings/RatingPictures.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ratings {
class BitmapStore;
class DotRow;
} // namespace ratings

// Small factories for the sheet's recurring kinds of control, so every region looks alike.
namespace sheet::widgets {

// A region's title bar ("Attributes").
QLabel* sectionHeading(const QString& text);
// A column heading inside a region ("Physical").
QLabel* columnHeading(const QString& text);
// A fixed caption ("Strength:"); named when it is one of the sheet's named labels.
QLabel* caption(const QString& text, const QString& name = {});
// A browse-mode value label, underlined like a field on a paper sheet.
QLabel* valueLabel(const QString& name);
// A text box for edit mode.
QLineEdit* textBox(const QString& name);
// A combo box that keeps typed text as typed and never adds it to its own list.
QComboBox* editableCombo(const QString& name);
// A combo box offering only its fixed entries.
QComboBox* choiceCombo(const QString& name, const QStringList& items);
ratings::DotRow* dotRow(const ratings::BitmapStore& bitmaps, const QString& name, ratings::Family family);
QPushButton* button(const QString& name, const QString& text);
// A label of a browse/edit pair keeps the height of its editor, so the sheet does not move when
// the mode changes.
void matchHeight(QLabel* label, QWidget* editor);

} // namespace sheet::widgets
