#pragma once

#include "rituals/RitualFamily.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace app {
class Session;
}

namespace rituals {

// Gives the character a ritual of the family: picked from the list (its level and description
// are shown) or typed as a new one (the user enters level and description).
class frmAddRitual : public QDialog {
    Q_OBJECT
public:
    frmAddRitual(app::Session& session, const RitualFamily& family, qint64 key, QWidget* parent = nullptr);

    // Lists the family's rituals by level, then name. Throws db::DbError.
    void load();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whose description the text box holds: the stored one of a picked ritual, text the user
    // entered while a name stood in the combo box, or neither.
    enum class DescriptionSource { None, Loaded, Entered };

    void showPicked();
    void checkNewName();
    void onDescriptionEdited();
    void setDescription(const QString& text, DescriptionSource source, const QString& owner);
    // The box's text when the user entered it for the named ritual; nothing when it was loaded
    // unchanged or entered for another one, so OK never writes it over a stored description.
    std::optional<QString> descriptionFor(const QString& name) const;
    void onOk();

    app::Session& m_session;
    const RitualFamily& m_family;
    qint64 m_key;

    QComboBox* cmbRitual = nullptr;
    QLabel* lblLevel = nullptr;
    QLabel* lblLongText = nullptr;
    QLineEdit* txtLevel = nullptr;
    QPlainTextEdit* txtRitualDesc = nullptr;
    QPushButton* cmdok = nullptr;
    QPushButton* cmdcancel = nullptr;

    DescriptionSource m_source = DescriptionSource::None;
    QString m_owner;
    bool m_settingDescription = false;
    bool m_asking = false;
};

} // namespace rituals
