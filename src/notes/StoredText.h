#pragma once

#include <QString>
#include <optional>

class QLabel;
class QPlainTextEdit;

// A stored free text (history, notes, a merit's or a ritual's description) in a window's text box.
// Laying out a very long line costs the text engine seconds and hundreds of megabytes before the
// window can appear, so a text past these limits is shown only in its beginning, read-only, under a
// notice; the stored text stays as it is.
namespace notes {

inline constexpr qsizetype kLongestEditableText = 2'000'000;
inline constexpr qsizetype kLongestEditableLine = 100'000;
inline constexpr qsizetype kShownOfLongText = 100'000;

// The notice label `lblLongText` for showStoredText, hidden while the whole text is shown.
QLabel* longTextNotice();

// Puts text into box, editable when asked for and short enough. A box that cannot be edited
// takes the window's colour, so it does not look like a field waiting for input. Returns the text
// as the box now holds it, for editedText to compare with.
QString showStoredText(QPlainTextEdit& box, QLabel& notice, const QString& text, bool editable);

// The box's text when it differs from shown, what showStoredText returned; nothing otherwise, so
// typing undone or typed back is no change. An unchanged text is never written back: the box
// would return its line breaks and no-break spaces in its own form, and a text shown cut would
// lose its end.
std::optional<QString> editedText(const QPlainTextEdit& box, const QString& shown);

} // namespace notes
