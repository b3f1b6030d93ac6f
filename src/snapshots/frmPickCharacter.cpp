#include "snapshots/frmPickCharacter.h"

#include "app/Services.h"
#include "db/Database.h"
#include "sheet/RosterFilter.h"
#include "store/RosterStore.h"
#include "store/Schema.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace snapshots {

frmPickCharacter::frmPickCharacter(const QString& snapshotPath, QWidget* parent)
    : QDialog(parent), m_characters(std::make_unique<sheet::RosterModel>()) {
    setObjectName(QStringLiteral("frmPickCharacter"));
    setWindowTitle(QStringLiteral("Restore a Character"));
    {
        auto snapshot = store::openChronicle(snapshotPath, false);
        store::roster::Lists lists = store::roster::readWhole(*snapshot);
        std::vector<store::roster::Entry> everyone = std::move(lists.characters);
        everyone.insert(everyone.end(), std::make_move_iterator(lists.npcs.begin()),
                        std::make_move_iterator(lists.npcs.end()));
        std::sort(everyone.begin(), everyone.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
        m_characters->assign(std::move(everyone));
    }
    m_shown = std::make_unique<sheet::RosterFilter>(m_characters.get());

    auto* find = new QLineEdit;
    find->setObjectName(QStringLiteral("txtFind"));
    find->setPlaceholderText(QStringLiteral("Find a character"));
    find->setClearButtonEnabled(true);
    m_list = new QListView;
    m_list->setObjectName(QStringLiteral("lstCharacters"));
    m_list->setModel(m_shown.get());
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Restore"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(find);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 50, fontMetrics().height() * 24);

    const auto pickable = [this, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(picked().has_value());
    };
    connect(find, &QLineEdit::textChanged, this, [this, pickable](const QString& typed) {
        m_shown->setSearch(typed);
        if (m_shown->rowCount() > 0)
            m_list->setCurrentIndex(m_shown->index(0, 0));
        pickable();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentChanged, this, pickable);
    connect(m_list, &QListView::activated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pickable();
}

frmPickCharacter::~frmPickCharacter() = default;

std::optional<model::CharacterKey> frmPickCharacter::picked() const {
    const QModelIndex current = m_list->currentIndex();
    return current.isValid() ? std::optional(current.data(Qt::UserRole).toLongLong()) : std::nullopt;
}

QString frmPickCharacter::pickedName() const {
    return m_list->currentIndex().data().toString();
}

} // namespace snapshots
