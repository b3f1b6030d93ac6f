#pragma once

#include <QString>
#include <array>
#include <optional>

// What each trait of a character stands for: captions, database columns and positions. The
// sheet's builders, the store, the binding and the export all walk these tables.
namespace model::catalogue {

// --- Identity fields: a browse label and, for most, an edit control at the same place.
enum class EditKind { None, Text, Combo };

struct IdentityField {
    const char* caption; // shown by Label1(i)
    const char* label;   // browse label
    const char* editor;  // edit control, empty when the field has none
    EditKind kind;
    const char* column;   // column of the main character query that fills the label
    const char* nullText; // shown when that column is Null
};

inline constexpr int kIdentityCount = 9;
// In the order of Label1(0..8); three per column of the top band.
extern const std::array<IdentityField, kIdentityCount> kIdentity;

// --- Attributes and abilities.
struct Trait {
    int index;             // PBAtt(index) / PBAbil(index)
    const char* caption;   // lblAttributes(index) / lblAbilities(index)
    const char* column;    // rating column of Char_Info
    int ratingPosition;    // zero-based position in Char_Info
    int specialtyPosition; // zero-based position of the specialty column
};

struct TraitGroup {
    const char* heading;
    int first;
    int count;
};

inline constexpr int kAttributeCount = 9;
inline constexpr int kAbilityCount = 30;
inline constexpr int kTraitCount = kAttributeCount + kAbilityCount;
// The 39 rating columns of Char_Info in column order, attributes first. Each is followed directly
// by its specialty column (name + "_Spec").
extern const std::array<const char*, kTraitCount> kTraitColumns;
// Zero-based positions in Char_Info (and in the main character query, which starts with it).
inline constexpr int kFirstTraitPosition = 11;
inline constexpr int ratingPosition(int trait) {
    return kFirstTraitPosition + 2 * trait;
}
inline constexpr int specialtyPosition(int trait) {
    return ratingPosition(trait) + 1;
}
const std::array<Trait, kAttributeCount>& attributes();
const std::array<Trait, kAbilityCount>& abilities();
// Physical, Social, Mental; Talents, Skills, Knowledges: left to right, rows in index order.
extern const std::array<TraitGroup, 3> kAttributeGroups;
extern const std::array<TraitGroup, 3> kAbilityGroups;

// --- Advantages: PBAdv(0..16).
inline constexpr int kSlotCount = 7;       // discipline slots, background slots
inline constexpr int kFirstBackground = 7; // PBAdv(7 + k) is background slot k
inline constexpr int kConscience = 14;
inline constexpr int kSelfControl = 15;
inline constexpr int kCourage = 16;
inline constexpr int kAdvantageCount = 17;
inline constexpr int disciplineRow(int slot) {
    return slot;
}
inline constexpr int backgroundRow(int slot) {
    return kFirstBackground + slot;
}

struct Virtue {
    int row;                  // PBAdv(row)
    const char* label;        // caption label
    const char* chooser;      // combo box choosing the variant, empty for Courage
    const char* column;       // rating column
    const char* choiceColumn; // 1 = first variant, anything else the second; empty for Courage
    const char* first;        // caption when the choice is 1 (or the fixed caption)
    const char* second;
};
inline constexpr int kVirtueCount = 3;
extern const std::array<Virtue, kVirtueCount> kVirtues;

// --- Generation: maximum blood pool and blood per turn as the sheet shows them, and the boxes
// the exported page draws for the blood pool.
struct GenerationRow {
    int generation;
    const char* maxBloodPool;
    const char* perTurn;
    int bloodPoolBoxes;
};
inline constexpr int kLowestGeneration = 3;
inline constexpr int kHighestGeneration = 13;
// The row of a generation given as any number; nothing unless it is a whole number from 3 to 13.
std::optional<GenerationRow> generationRow(double generation);

// --- Health levels, top to bottom.
struct HealthLevel {
    const char* caption;
    const char* penalty; // empty when the level has none
};
inline constexpr int kHealthCount = 7;
extern const std::array<HealthLevel, kHealthCount> kHealthLevels;

// "PBAtt(3)": the object name of a control array element.
QString indexedName(const char* array, int index);

} // namespace model::catalogue
