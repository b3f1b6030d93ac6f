#include "app/TypedCombo.h"

#include <QComboBox>

namespace app {

void keepTypedText(QComboBox& combo) {
    // Making a combo editable gives it a fresh completer, so that comes first.
    combo.setEditable(true);
    combo.setCompleter(nullptr);
    combo.setInsertPolicy(QComboBox::NoInsert);
}

} // namespace app
