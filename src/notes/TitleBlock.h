#pragma once

#include <QString>

class QFrame;
class QLabel;

// The heading the note and description windows share: a large bold title over a sunken line.
namespace notes {

// The title label `Label1`, in the chronicle's display face when installed.
QLabel* titleLabel(const QString& text);
// The line `Line1` under the title.
QFrame* titleLine();

} // namespace notes
