#include "model/TraitCatalogue.h"

#include <cmath>

namespace model::catalogue {

const std::array<const char*, kTraitCount> kTraitColumns = {
    "Strength",     "Dexterity",    "Stamina",    "Charisma",   "Manipulation",  "Appearance", "Perception",
    "Intelligence", "Wits",         "Alertness",  "Athletics",  "Brawl",         "Dodge",      "Empathy",
    "Expression",   "Intimidation", "Leadership", "Streetwise", "Subterfuge",    "AnimalKen",  "Crafts",
    "Drive",        "Etiquette",    "Firearms",   "Melee",      "Performance",   "Security",   "Stealth",
    "Survival",     "Academics",    "Computer",   "Finance",    "Investigation", "Law",        "Linguistics",
    "Medicine",     "Occult",       "Politics",   "Science"};

const std::array<IdentityField, kIdentityCount> kIdentity = {{
    {"Character:", "lblChar", "txtChar", EditKind::Text, "Name", ""},
    {"Player:", "lblPlayer", "txtPlayer", EditKind::Text, "player", ""},
    {"Chronicle:", "lblChronicle", "txtChronicle", EditKind::Text, "Chronicle", ""},
    {"Nature:", "lblNature", "cmbNature", EditKind::Combo, "b.DemNat", ""},
    {"Demeanor:", "lblDemeanor", "cmbDemeanor", EditKind::Combo, "c.DemNat", ""},
    {"Clan:", "lblClan", "cmbClan", EditKind::Combo, "d.Clan", ""},
    {"Generation:", "lblGen", "", EditKind::None, "Generation", ""},
    {"Haven:", "lblHaven", "txtHaven", EditKind::Text, "Haven", ""},
    {"Concept:", "lblConcept", "cmbConcept", EditKind::Combo, "e.concept", ""},
}};

namespace {

constexpr std::array<const char*, kAttributeCount> kAttributeCaptions = {
    "Strength:",   "Dexterity:",  "Stamina:",      "Charisma:", "Manipulation:",
    "Appearance:", "Perception:", "Intelligence:", "Wits:"};

constexpr std::array<const char*, kAbilityCount> kAbilityCaptions = {
    "Alertness:",    "Athletics:",   "Brawl:",      "Dodge:",      "Empathy:",     "Expression:",
    "Intimidation:", "Leadership:",  "Streetwise:", "Subterfuge:", "Animal Ken:",  "Crafts:",
    "Drive:",        "Etiquette:",   "Firearms:",   "Melee:",      "Performance:", "Security:",
    "Stealth:",      "Survival:",    "Academics:",  "Computer:",   "Finance:",     "Investigation:",
    "Law:",          "Linguistics:", "Medicine:",   "Occult:",     "Politics:",    "Science:"};

// Trait t of the 39 is column t of the schema's trait list: attributes first, then abilities.
template <size_t N> std::array<Trait, N> makeTraits(const std::array<const char*, N>& captions, int firstTrait) {
    std::array<Trait, N> traits{};
    for (size_t i = 0; i < N; ++i) {
        const int t = firstTrait + int(i);
        traits[i] = {int(i), captions[i], kTraitColumns[size_t(t)], ratingPosition(t), specialtyPosition(t)};
    }
    return traits;
}

} // namespace

const std::array<Trait, kAttributeCount>& attributes() {
    static const auto traits = makeTraits(kAttributeCaptions, 0);
    return traits;
}

const std::array<Trait, kAbilityCount>& abilities() {
    static const auto traits = makeTraits(kAbilityCaptions, kAttributeCount);
    return traits;
}

const std::array<TraitGroup, 3> kAttributeGroups = {{{"Physical", 0, 3}, {"Social", 3, 3}, {"Mental", 6, 3}}};
const std::array<TraitGroup, 3> kAbilityGroups = {{{"Talents", 0, 10}, {"Skills", 10, 10}, {"Knowledges", 20, 10}}};

const std::array<Virtue, kVirtueCount> kVirtues = {{
    {kConscience, "lblConscience", "cmbConscience", "Conscience", "Conscience_Conviction", "Conscience", "Conviction"},
    {kSelfControl, "lblSelfControl", "cmbSelfControl", "SelfControl", "SelfControl_Instinct", "Self-Control",
     "Instinct"},
    {kCourage, "lblCourage", "", "Courage", "", "Courage:", ""},
}};

namespace {
constexpr std::array<GenerationRow, kHighestGeneration - kLowestGeneration + 1> kGenerations = {{
    {3, "??", "??", 100},
    {4, "50", "10", 50},
    {5, "40", "8", 40},
    {6, "30", "6", 30},
    {7, "20", "4", 20},
    {8, "15", "3", 15},
    {9, "14", "2", 14},
    {10, "13", "1", 13},
    {11, "12", "1", 12},
    {12, "11", "1", 11},
    {13, "10", "1", 10},
}};
} // namespace

std::optional<GenerationRow> generationRow(double generation) {
    if (!(generation >= kLowestGeneration && generation <= kHighestGeneration) || generation != std::floor(generation))
        return std::nullopt;
    return kGenerations[size_t(int(generation) - kLowestGeneration)];
}

const std::array<HealthLevel, kHealthCount> kHealthLevels = {{
    {"Bruised", ""},
    {"Hurt", "-1"},
    {"Injured", "-1"},
    {"Wounded", "-2"},
    {"Mauled", "-2"},
    {"Crippled", "-5"},
    {"Incapacitated", ""},
}};

QString indexedName(const char* array, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

} // namespace model::catalogue
