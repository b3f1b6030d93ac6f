#pragma once

#include <QString>

namespace sheet {

// The look of the sheet page: a paper-coloured page, dark red headings, underlined values.
QString sheetStyleSheet();

} // namespace sheet
