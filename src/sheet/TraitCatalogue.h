#pragma once

#include <QString>
#include <array>
#include <optional>

// What each control array element of the sheet stands for: captions, database columns and
// positions. The builders, the load, the save and the export all walk these tables.
namespace sheet::catalogue {

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
extern const std::array<Virtue, 3> kVirtues;

// --- Generation: maximum blood pool and blood per turn.
struct GenerationRow {
    int generation;
    const char* maxBloodPool;
    const char* perTurn;
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

} // namespace sheet::catalogue
