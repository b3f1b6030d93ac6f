#pragma once

namespace ratings {

// Makes dot rows and health boxes known to screen readers: a row is a slider with its value
// ("4 of 10"), a health box a check box whose value is its state in words. Called by the widgets
// themselves; installs once.
void installRatingAccess();

} // namespace ratings
