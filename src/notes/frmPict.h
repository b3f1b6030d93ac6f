#pragma once

#include <QDialog>

class QLabel;

namespace ratings {
class BitmapStore;
}

namespace app {
class Session;
}

namespace notes {

class PictureView;

// The character's picture. The database keeps only the file's path; Load Picture shows another
// file and OK stores its path. Exit leaves the stored path as it was.
class frmPict : public QDialog {
    Q_OBJECT
public:
    // The smallest window: 3000 x 2000 twips, at 15 twips to the pixel.
    static constexpr QSize kMinimumSize{200, 134};
    // The window's first size: 6000 x 7395 twips.
    static constexpr QSize kDesignSize{400, 493};
    // The file choice: the usual three kinds first, then PNG.
    static inline const QString kFilter =
        QStringLiteral("Graphic Files (*.bmp, *.gif, *.jpg)|*.gif;*.bmp;*.jpg|PNG Files (*.png)|*.png");

    frmPict(app::Session& session, const ratings::BitmapStore& bitmaps, qint64 charId, const QString& storedPath,
            QWidget* parent = nullptr);

    // The file chosen during this visit; empty when none was.
    QString chosenPath() const { return m_chosenPath; }

private:
    void showFile(const QString& path);
    void showPlaceholder(const QString& note);
    void cmdLoadPic_Click();
    void cmdOK_Click();

    app::Session& m_session;
    const ratings::BitmapStore& m_bitmaps;
    qint64 m_charId;
    QString m_storedPath;
    QString m_chosenPath;
    PictureView* m_pict = nullptr;
    QLabel* m_note = nullptr;
};

} // namespace notes
