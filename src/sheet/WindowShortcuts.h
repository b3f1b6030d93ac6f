#pragma once

class QWidget;

namespace sheet {

// Makes the menu shortcuts of window work from every field in it. A text field would otherwise
// take keys such as Ctrl+E (end of line) or Ctrl+D (delete) for its own editing on some desktops;
// it keeps only the keys of the clipboard, undo and select-all.
void giveMenuShortcutsPriority(QWidget* window);

} // namespace sheet
