#pragma once

#include "model/Character.h"

namespace sheet {

struct SheetControls;

// The one place a Character meets the sheet's widgets: show() writes every control from it,
// read() takes the edited character back. The captions and Tags the design names are mirrors
// these functions write; nothing reads a value back out of them.
namespace binding {

// Every control of the sheet: labels, the edit controls under them, ratings, slots, virtues,
// humanity, willpower, blood pool, experience, health and merits.
void show(const SheetControls& ui, const model::Character& c);
// No character: empty texts, no dots, empty and disabled health boxes, no merits.
void clear(const SheetControls& ui);

// The browse-mode captions of the identity fields, slots, virtues and humanity path.
void showCaptions(const SheetControls& ui, const model::Character& c);
// Given, spent and remaining.
void showExperience(const SheetControls& ui, const model::Character& c);
// The generation with the maximum blood pool and blood per turn that follow from it; a generation
// outside the table leaves those two as they were.
void showGeneration(const SheetControls& ui, const model::Character& c);
void showBloodPool(const SheetControls& ui, int total);

// The character as edited: `shown` with the edit controls, dot rows and health boxes read in.
model::Character read(const SheetControls& ui, const model::Character& shown);

} // namespace binding
} // namespace sheet
