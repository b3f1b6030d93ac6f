#include "notes/StoredText.h"

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <algorithm>

namespace notes {

namespace {

// The longest run the text engine lays out as one paragraph.
qsizetype longestLine(QStringView text) {
    qsizetype longest = 0;
    qsizetype run = 0;
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator) {
            longest = std::max(longest, run);
            run = 0;
        } else {
            ++run;
        }
    }
    return std::max(longest, run);
}

// The beginning of a long text, not ending in half a surrogate pair.
QString beginning(const QString& text) {
    qsizetype length = kShownOfLongText;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

} // namespace

QLabel* longTextNotice() {
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("lblLongText"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->hide();
    return label;
}

QString showStoredText(QPlainTextEdit& box, QLabel& notice, const QString& text, bool editable) {
    const qsizetype line = text.size() > kLongestEditableLine ? longestLine(text) : text.size();
    const bool tooLong = text.size() > kLongestEditableText || line > kLongestEditableLine;
    if (tooLong) {
        const QLocale locale;
        notice.setText(
            QStringLiteral("This text is too long to be shown here whole (%1 characters, %2 in its "
                           "longest line). Its first %3 characters are shown and cannot be changed "
                           "here; the stored text is kept as it is.")
                .arg(locale.toString(text.size()), locale.toString(line), locale.toString(kShownOfLongText)));
    }
    notice.setVisible(tooLong);
    box.setPlainText(tooLong ? beginning(text) : text);
    const bool readOnly = tooLong || !editable;
    box.setReadOnly(readOnly);
    QPalette palette;
    if (readOnly)
        palette.setColor(QPalette::Base, box.palette().color(QPalette::Window));
    box.setPalette(palette); // an empty palette goes back to the inherited one
    return box.toPlainText();
}

std::optional<QString> editedText(const QPlainTextEdit& box, const QString& shown) {
    QString text = box.toPlainText();
    if (text == shown)
        return std::nullopt;
    return text;
}

} // namespace notes
