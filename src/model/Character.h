#pragma once

#include "model/TraitCatalogue.h"

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace model {

// The key of a character: its Char_ID.
using CharacterKey = qint64;

// A discipline or background slot of the sheet: the name chosen and its rating.
struct Slot {
    QString name; // empty for an unused slot
    int16_t level = 0;
    bool operator==(const Slot&) const = default;
};

struct Virtue {
    int16_t rating = 0;
    // Conscience rather than Conviction, Self-Control rather than Instinct; always true for Courage.
    bool firstVariant = true;
    bool operator==(const Virtue&) const = default;
};

// A merit or flaw as the sheet lists it.
struct Merit {
    QString text; // "name points"
    qint64 meritId = 0;
    bool operator==(const Merit&) const = default;
};

// One character as the sheet shows and saves it. Looked-up fields hold names, not keys; ratings
// are whole numbers and keep what was stored even outside their row's range, so a save writes
// back what it read.
struct Character {
    CharacterKey key = 0;

    QString name;
    QString player;
    QString chronicle;
    QString nature;
    QString demeanor;
    QString clan;
    QString conceptName;
    QString haven;
    std::optional<double> generation; // none when unset

    std::array<int16_t, model::catalogue::kTraitCount> traits{};      // attributes, then abilities
    std::array<QString, model::catalogue::kTraitCount> specialties{}; // empty for none
    std::array<Slot, model::catalogue::kSlotCount> disciplines{};
    std::array<Slot, model::catalogue::kSlotCount> backgrounds{};
    std::array<Virtue, model::catalogue::kVirtueCount> virtues{}; // Conscience, Self-Control, Courage

    QString humanityPath; // empty when the character's path is not in the list
    int16_t humanity = 0;
    int16_t willpower = 0;
    int16_t currentWillpower = 0;
    int16_t bloodPool = 0;
    std::array<int, model::catalogue::kHealthCount> health = filledHealth(); // 1 empty, 2 bashing, 3 lethal

    std::optional<double> experienceGiven; // none when Null
    std::optional<double> experienceSpent;

    std::vector<Merit> merits;

    // Given minus spent; 0 while either is unset.
    double experienceRemaining() const {
        return experienceGiven && experienceSpent ? *experienceGiven - *experienceSpent : 0;
    }

    bool operator==(const Character&) const = default;

private:
    static std::array<int, model::catalogue::kHealthCount> filledHealth() {
        std::array<int, model::catalogue::kHealthCount> states{};
        states.fill(1);
        return states;
    }
};

} // namespace model
