#pragma once

#include <QString>

namespace rituals {

// What tells the thaumaturgy and necromancy windows apart: one window design, two parameter sets.
struct RitualFamily {
    int thaNec;         // the ThaNec code of paths and rituals
    QString windowName; // objectName of the paths window
    QString caption;    // title of the paths window
    QString pathsName;  // the paths in a question: "the Thaumaturgy paths of Ann"
    QString addCaption; // title of the add-ritual dialog
    bool blankHeadings; // the necromancy grid drops its heading texts when it loads

    static const RitualFamily& thaumaturgy();
    static const RitualFamily& necromancy();
};

} // namespace rituals
