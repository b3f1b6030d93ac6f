#pragma once

class QWidget;

namespace ratings {
class BitmapStore;
}

namespace sheet {

struct SheetControls;

// The regions of the sheet. Each builds its widgets, names them and records them in the
// controls; none reads the database.
namespace build {

// Top band: the nine identity fields, three columns of three, each label with its edit control.
QWidget* identityBand(SheetControls& ui);
// "Attributes", "Abilities" and "Advantages", each three columns wide.
QWidget* attributesSection(SheetControls& ui, const ratings::BitmapStore& bitmaps);
QWidget* abilitiesSection(SheetControls& ui, const ratings::BitmapStore& bitmaps);
QWidget* advantagesSection(SheetControls& ui, const ratings::BitmapStore& bitmaps);
// Bottom band: merits and flaws, humanity and willpower, blood pool, experience, health.
QWidget* trackerBand(SheetControls& ui, const ratings::BitmapStore& bitmaps);
// Right column: dice roller, quick facts and the roster tabs.
QWidget* sideColumn(SheetControls& ui);

} // namespace build
} // namespace sheet
