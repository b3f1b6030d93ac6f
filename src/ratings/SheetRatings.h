#pragma once

class QObject;

namespace app {
class mdlGlobal;
}

namespace sheet {
struct SheetControls;
}

namespace ratings {

// Connects the sheet's rating controls to their handlers: every dot row's button-down (and the
// second press of a double-click, which arrives only as a double-click), the four experience
// buttons and left-button presses on the attribute and ability captions. Each handler runs inside
// app::guarded. The connections live as long as context (the main window); ui must outlive it.
// A second call for the same context changes nothing. The health boxes are not touched here.
void connectSheetRatings(app::mdlGlobal& global, const sheet::SheetControls& ui, QObject* context);

} // namespace ratings
