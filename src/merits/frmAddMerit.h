#pragma once

#include <QDialog>
#include <optional>

class QComboBox;
class QPushButton;

namespace app {
class Session;
}

namespace merits {

// "Add Flaw/Merit": pick a merit or flaw from the lookup list or type a new one. OK writes the
// character's link row at once; the caller appends added()'s line to the list.
class frmAddMerit : public QDialog {
    Q_OBJECT
public:
    struct Added {
        QString line;
        qint64 meritId = 0;
    };

    frmAddMerit(app::Session& session, qint64 charId, QWidget* parent = nullptr);

    // The line for the list after a successful add.
    const std::optional<Added>& added() const { return m_added; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString typedName() const;
    // Offers to enter a typed name that the lookup table lacks. Runs once per typed text.
    void checkNewName();
    void cmdok_Click();
    // The point level of a variable-point entry; nothing when the user cancels.
    std::optional<int> askPointLevel(const QString& name);

    app::Session& m_session;
    qint64 m_charId;
    QComboBox* m_cmbMerit = nullptr;
    QPushButton* m_cmdok = nullptr;
    QPushButton* m_cmdcancel = nullptr;
    std::optional<QString> m_checkedName;
    std::optional<Added> m_added;
};

} // namespace merits
