#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace app {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Icon { None, Exclamation, Critical, Question, Information };
enum class Answer { OK, Cancel, Yes, No };

inline const QString kTitle = QStringLiteral("Duskledger");

// Every service of the window toolkit that a window needs goes through here: the program uses
// the Qt implementation, tests a scripted one that answers from a queue and never blocks.
class Services {
public:
    virtual ~Services() = default;

    virtual Answer messageBox(const QString& text, Buttons buttons = Buttons::OK, Icon icon = Icon::None,
                              const QString& title = kTitle) = 0;
    // The same box with the button that Return presses named, for a question whose first answer
    // would throw work away. A service with no way to show a default asks as above.
    virtual Answer messageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                              [[maybe_unused]] Answer defaultButton) {
        return messageBox(text, buttons, icon, title);
    }
    // The typed text, or nothing when the user cancelled.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title = kTitle,
                                            const QString& preset = {}) = 0;
    // The filter is written as description and patterns joined by a vertical bar
    // ("MS:Access (*.mdb)|*.mdb"). Both return an empty text when cancelled.
    virtual QString openFileDialog(const QString& title, const QString& filter, const QString& fileName = {}) = 0;
    virtual QString saveFileDialog(const QString& title, const QString& filter, const QString& fileName = {}) = 0;
    // A folder to write into (it may be made in the dialog); empty when cancelled.
    virtual QString folderDialog(const QString& title) = 0;
    // Shows a window modally over its owner; returns the dialog's result code.
    virtual int showModal(QDialog& dialog) = 0;
    virtual void setWaitCursor(bool waiting) = 0;
    // Starts an outside program detached; false when it cannot be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments = {}) = 0;
    // Looks a program up on the search path; empty when absent.
    virtual QString findProgram(const QString& name) = 0;
    // Shows a folder in the desktop's file manager; false when it cannot.
    virtual bool openFolder(const QString& folder) = 0;
    // Uniform in [0, 1).
    virtual double random() = 0;
    // The folder of the program: bitmaps and DSKLDG.ini stand there.
    virtual QString programFolder() = 0;
    // Where the bitmaps and the starter database stand (see app::resourceFolder).
    QString resourceFolder();
    // The window that dialogs are shown over.
    virtual void setDialogParent(QWidget* parent) { m_dialogParent = parent; }

protected:
    QWidget* m_dialogParent = nullptr;
};

// Asks "Discard the changes to <what>?" before typed work is thrown away; true when the user lets
// it go. No is the default, so a hurried Return keeps the work.
inline bool mayDiscard(Services& services, const QString& what) {
    return services.messageBox(QStringLiteral("Discard the changes to ") + what + QLatin1Char('?'), Buttons::YesNo,
                               Icon::Question, kTitle, Answer::No) == Answer::Yes;
}

// The hourglass over the main window for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(Services& services) : m_services(services) { m_services.setWaitCursor(true); }
    ~WaitCursor() { m_services.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    Services& m_services;
};

// Program title and version, from the build.
struct ProgramInfo {
    static QString title() { return kTitle; }
    static int major();
    static int minor();
    static int revision();
    // "Version 0.9.1"
    static QString versionLine();
};

} // namespace app
