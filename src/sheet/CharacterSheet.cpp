// The switch (SwitchCharacter, LoadRoster), the modes (EnterEditMode, EnterBrowseMode) and
// cmdAdd / cmddelete of the roster.
#include "sheet/CharacterSheet.h"

#include "app/Services.h"
#include "app/Session.h"
#include "db/DbError.h"
#include "ratings/DotRow.h"
#include "sheet/LookupLists.h"
#include "sheet/Roster.h"
#include "sheet/SheetBinding.h"
#include "sheet/SheetControls.h"
#include "store/CharacterStore.h"
#include "store/MeritStore.h"
#include "store/Schema.h"

#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <functional>

namespace sheet {

using model::CharacterKey;
namespace catalogue = model::catalogue;

namespace {

QList<QPushButton*> editingButtons(const SheetControls& ui) {
    return {ui.cmdAddMerit,        ui.cmdRemoveMerit, ui.cmdAddExperience,
            ui.cmdMinusExperience, ui.cmdAddExpSpent, ui.cmdMinusExpSpent};
}

// Hiding a focused editor hands the focus on to the next control, and the merit list would then
// select its first line unasked: the editor lets go of the focus first.
void releaseEditorFocus(const SheetControls& ui) {
    const QList<QWidget*> editors = ui.editControls();
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (editors.contains(w)) {
            QApplication::focusWidget()->clearFocus();
            return;
        }
    }
}

QComboBox* identityCombo(const SheetControls& ui, store::IdentityLookup field) {
    switch (field) {
    case store::IdentityLookup::Nature:
        return ui.cmbNature;
    case store::IdentityLookup::Demeanor:
        return ui.cmbDemeanor;
    case store::IdentityLookup::Concept:
        return ui.cmbConcept;
    default:
        return ui.cmbClan;
    }
}

} // namespace

CharacterSheet::CharacterSheet(app::Session& session, const SheetControls& ui) : m_session(session), m_ui(ui) {}

void CharacterSheet::open(const QString& path) {
    // Everything is read before the current file is let go, so a file that cannot be used leaves
    // the session and the sheet as they were.
    auto opened = store::openChronicle(path, true);
    const LookupNames names = readLookupLists(*opened);
    store::CharacterStore characters(*opened);
    std::optional<model::Character> first;
    if (const auto key = characters.first())
        first = characters.load(*key);
    m_ui.roster->refresh(opened.get());

    m_session.adopt(std::move(opened));
    m_history.clear();
    fillLookupLists(m_ui, names);
    show(first);
}

bool CharacterSheet::switchTo(CharacterKey key) {
    if (!m_session.isOpen())
        return false;
    app::WaitCursor wait(m_session.services);
    if (!leaveEditMode())
        return false;
    std::optional<model::Character> character = store::CharacterStore(*m_session.database).load(key);
    if (!character) {
        // Deleted meanwhile: the sheet stays as it is.
        m_session.services.messageBox(QStringLiteral("The character ") + m_ui.roster->nameOf(key) +
                                          QStringLiteral(" is not in the database any more."),
                                      app::Buttons::OK, app::Icon::Exclamation);
        refreshRoster();
        return false;
    }
    show(character);
    return true;
}

bool CharacterSheet::goBack() {
    return goThroughHistory(&ShownHistory::back);
}

bool CharacterSheet::goForward() {
    return goThroughHistory(&ShownHistory::forward);
}

ShownHistory::Exists CharacterSheet::listed() const {
    return std::bind_front(&Roster::holds, m_ui.roster);
}

bool CharacterSheet::canGoBack() const {
    return m_session.isOpen() && m_history.canGoBack(listed());
}

bool CharacterSheet::canGoForward() const {
    return m_session.isOpen() && m_history.canGoForward(listed());
}

bool CharacterSheet::goThroughHistory(
    std::optional<CharacterKey> (ShownHistory::*step)(const ShownHistory::Exists&)) {
    if (!m_session.isOpen())
        return false;
    const ShownHistory before = m_history;
    const std::optional<CharacterKey> key =
        (m_history.*step)(listed());
    if (key && switchTo(*key))
        return true;
    m_history = before;
    return false;
}

void CharacterSheet::showRestored(CharacterKey key) {
    if (!m_session.isOpen())
        return;
    app::WaitCursor wait(m_session.services);
    fillLookupLists(m_ui, readLookupLists(*m_session.database));
    show(store::CharacterStore(*m_session.database).load(key));
}

void CharacterSheet::showNone() {
    if (!m_session.isOpen())
        return;
    app::WaitCursor wait(m_session.services);
    show(std::nullopt);
}

void CharacterSheet::show(const std::optional<model::Character>& character) {
    m_session.editMode = false;
    m_session.shownKey = character ? std::optional(character->key) : std::nullopt;
    m_character = character.value_or(model::Character{});
    if (character)
        binding::show(m_ui, *character);
    else
        binding::clear(m_ui);
    showBrowseMode();
    refreshRoster();
    if (character)
        m_history.shown(character->key);
    markInRoster();
    if (m_notices.shown)
        m_notices.shown();
}

void CharacterSheet::markInRoster() {
    m_ui.roster->mark(m_session.shownKey);
    if (!m_session.shownKey)
        return;
    const std::pair<QListView*, RosterFilter*> lists[] = {{m_ui.lstChar, m_ui.roster->shownCharacters()},
                                                         {m_ui.lstNPC, m_ui.roster->shownNpcs()}};
    for (int tab = 0; tab < 2; ++tab) {
        const auto [view, shown] = lists[tab];
        if (const QModelIndex entry = shown->indexOf(*m_session.shownKey); entry.isValid()) {
            m_ui.SSTab1->setCurrentIndex(tab);
            view->scrollTo(entry);
        }
    }
}

void CharacterSheet::refreshMerits() {
    const std::optional<CharacterKey> key = m_session.shownCharacter();
    if (!key)
        return;
    m_character.merits = store::merits::characterMerits(*m_session.database, *key);
}

void CharacterSheet::hint(const QString& text) const {
    if (m_notices.hint)
        m_notices.hint(text);
}

bool CharacterSheet::stored(const QString& what, const store::WriteResult& result) {
    if (result.written()) {
        if (m_notices.saved)
            m_notices.saved();
        return true;
    }
    m_session.services.messageBox(what + QStringLiteral(" of ") + shownName() +
                                      QStringLiteral(" could not be stored.\n\n") + result.error,
                                  app::Buttons::OK, app::Icon::Critical);
    return false;
}

QString CharacterSheet::shownName() const {
    return m_session.editMode ? binding::read(m_ui, m_character).name : m_character.name;
}

void CharacterSheet::refreshRoster() {
    for (QListView* list : {m_ui.lstChar, m_ui.lstNPC})
        list->selectionModel()->clear();
    m_ui.roster->refresh(m_session.isOpen() ? m_session.database.get() : nullptr);
}

void CharacterSheet::showBrowseMode() {
    for (QPushButton* button : editingButtons(m_ui))
        button->setEnabled(false);
    releaseEditorFocus(m_ui);
    m_ui.setEditControlsVisible(false);
    // Unrated discipline and background rows disappear; the virtues always stay.
    for (int row = 0; row < catalogue::kConscience; ++row) {
        ratings::DotRow* dots = m_ui.PBAdv[size_t(row)];
        dots->setVisible(dots->value() != 0);
    }
    if (m_notices.modeShown)
        m_notices.modeShown();
}

void CharacterSheet::enterEditMode() {
    if (m_session.editMode || !m_session.shownCharacter())
        return;
    app::WaitCursor wait(m_session.services);
    for (QPushButton* button : editingButtons(m_ui))
        button->setEnabled(true);
    m_ui.setEditControlsVisible(true);
    // Empty discipline and background rows can be rated too.
    for (int row = 0; row < catalogue::kConscience; ++row)
        m_ui.PBAdv[size_t(row)]->setVisible(true);
    m_session.editMode = true;
    if (m_notices.modeShown)
        m_notices.modeShown();
}

bool CharacterSheet::leaveEditMode() {
    if (!m_session.editMode)
        return true;
    app::WaitCursor wait(m_session.services);
    const model::Character edited = binding::read(m_ui, m_character);
    const store::SaveResult saved = store::CharacterStore(*m_session.database).save(edited);
    if (!saved.saved()) {
        m_session.services.messageBox(QStringLiteral("The changes to ") + edited.name +
                                          QStringLiteral(" could not be saved; the sheet stays in edit mode.\n\n") +
                                          saved.error,
                                      app::Buttons::OK, app::Icon::Critical);
        return false;
    }
    m_session.editMode = false;
    m_character = saved.character;
    if (m_notices.saved)
        m_notices.saved();
    for (const auto& [field, name] : saved.addedNames)
        identityCombo(m_ui, field)->addItem(name);
    binding::showCaptions(m_ui, m_character);
    showBrowseMode();
    // A changed name is listed at once; the save stands even when the roster cannot be read.
    try {
        refreshRoster();
        markInRoster(); // an NPC now, or the other way round
    } catch (const db::DbError& e) {
        m_session.services.messageBox(e.message(), app::Buttons::OK, app::Icon::Critical);
    }
    return true;
}

bool CharacterSheet::settleEdits() {
    if (!m_session.editMode)
        return true;
    switch (m_session.services.messageBox(QStringLiteral("Save the changes to ") + shownName() + QStringLiteral("?"),
                                          app::Buttons::YesNoCancel, app::Icon::Question)) {
    case app::Answer::Yes:
        return leaveEditMode();
    case app::Answer::No:
        return true;
    default:
        return false;
    }
}

void CharacterSheet::addCharacter() {
    if (!m_session.isOpen() || !leaveEditMode())
        return;
    const CharacterKey key = store::CharacterStore(*m_session.database).add();
    if (switchTo(key))
        enterEditMode();
}

void CharacterSheet::deleteCharacter(int index) {
    const std::optional<CharacterKey> key = m_session.shownCharacter();
    if (!key || !leaveEditMode())
        return;
    if (m_session.services.messageBox(QStringLiteral("You are about to remove the character ") + m_character.name +
                                          QStringLiteral(". Are you Sure?"),
                                      app::Buttons::YesNo, app::Icon::Question, app::kTitle,
                                      app::Answer::No) != app::Answer::Yes)
        return;
    if (m_beforeDeleting)
        m_beforeDeleting();
    store::CharacterStore(*m_session.database).remove(*key);

    // The roster drops the removed character (by key, so a namesake stays listed); the sheet must
    // not stay on it.
    refreshRoster();
    const RosterModel* list = index == 0 ? m_ui.roster->characters() : m_ui.roster->npcs();
    const RosterModel* other = index == 0 ? m_ui.roster->npcs() : m_ui.roster->characters();
    const RosterModel* from = !list->entries().empty() ? list : other;
    if (from->entries().empty() || !switchTo(from->entries().back().key))
        showNone();
}

} // namespace sheet
