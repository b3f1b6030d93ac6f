#include "find/QuickSwitcher.h"

#include "sheet/Roster.h"
#include "store/RosterSearch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace find {

QuickSwitcher::QuickSwitcher(sheet::Roster& roster, Describe describe, QWidget* parent)
    : QFrame(parent, Qt::Popup), m_roster(roster), m_describe(std::move(describe)), m_typed(new QLineEdit),
      m_matches(new QListWidget) {
    setObjectName(QStringLiteral("frmSwitcher"));
    setFrameShape(QFrame::StyledPanel);
    m_typed->setObjectName(QStringLiteral("txtSwitch"));
    m_typed->setPlaceholderText(QStringLiteral("Switch to a character"));
    m_matches->setObjectName(QStringLiteral("lstMatches"));
    m_matches->setFocusPolicy(Qt::NoFocus); // the keys stay with the field
    m_matches->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_typed);
    layout->addWidget(m_matches);
    const int line = m_matches->fontMetrics().height() + 4;
    m_matches->setMinimumHeight(line * 10);
    setMinimumWidth(m_typed->fontMetrics().averageCharWidth() * 60);

    m_typed->installEventFilter(this);
    connect(m_typed, &QLineEdit::textChanged, this, &QuickSwitcher::showMatches);
    connect(m_typed, &QLineEdit::returnPressed, this, &QuickSwitcher::choose);
    connect(m_matches, &QListWidget::itemActivated, this, &QuickSwitcher::choose);
}

void QuickSwitcher::popUp(QWidget* over) {
    m_searched.reset(); // the roster may have changed since
    m_details.clear();
    m_typed->clear();
    m_matches->clear();
    adjustSize();
    const QRect area = over->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + area.height() / 8);
    show();
    raise();
    activateWindow();
    m_typed->setFocus();
}

void QuickSwitcher::showMatches(const QString& typed) {
    m_matches->clear();
    store::roster::Search search(typed);
    if (search.isEmpty()) {
        m_searched.reset();
        return;
    }
    if (!m_searched || !search.narrows(*m_searched)) {
        m_candidates.clear();
        for (const sheet::RosterModel* list : {m_roster.characters(), m_roster.npcs()})
            for (const store::roster::Entry& entry : list->entries())
                m_candidates.push_back(&entry);
    }
    store::roster::SwitcherMatches matches = store::roster::switcherMatches(m_candidates, search, kMostMatches);
    m_candidates = std::move(matches.candidates);
    m_searched = std::move(search);
    for (const store::roster::Entry* entry : matches.best) {
        auto known = m_details.constFind(entry->key);
        if (known == m_details.constEnd())
            known = m_details.insert(entry->key, m_describe(entry->key));
        const QString& details = *known;
        auto* item = new QListWidgetItem(details.isEmpty() ? entry->name : entry->name + QStringLiteral("  \u2014  ") + details);
        item->setData(Qt::UserRole, entry->key);
        m_matches->addItem(item);
    }
    m_matches->setCurrentRow(0);
}

void QuickSwitcher::choose() {
    const QListWidgetItem* item = m_matches->currentItem();
    if (!item)
        return;
    const model::CharacterKey key = item->data(Qt::UserRole).toLongLong();
    close();
    Q_EMIT chosen(key);
}

bool QuickSwitcher::eventFilter(QObject* watched, QEvent* event) {
    // The arrows move through the matches while the typing stays in the field.
    if (watched == m_typed && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QApplication::sendEvent(m_matches, event);
            return true;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void QuickSwitcher::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace find
