#include "print/PdfExport.h"

#include "db/DbError.h"
#include "print/PrintedCharacter.h"
#include "print/SheetLayout.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace print {

namespace {

[[noreturn]] void fileFailure(const QString& path, const QString& reason) {
    throw db::DbError(QStringLiteral("The file \"%1\" cannot be written: %2\nNothing has been exported.")
                          .arg(QDir::toNativeSeparators(path), reason));
}

// A PDF being written to a temporary file beside its target.
class PdfFile {
public:
    PdfFile(const QString& path, const QString& title) : m_path(path), m_file(path), m_writer(&m_file) {
        if (!m_file.open(QIODevice::WriteOnly))
            fileFailure(path, m_file.errorString());
        m_writer.setPageSize(defaultPageSize());
        m_writer.setPageMargins(QMarginsF(14, 14, 14, 10), QPageLayout::Millimeter);
        m_writer.setTitle(title);
        m_writer.setCreator(QStringLiteral("Duskledger"));
    }
    QPdfWriter& writer() { return m_writer; }
    QPainter& painter() {
        if (!m_painter.isActive() && !m_painter.begin(&m_writer))
            fileFailure(m_path, m_file.errorString());
        return m_painter;
    }
    void newPage() {
        if (m_pages++ > 0)
            m_writer.newPage();
    }
    void commit() {
        m_painter.end();
        if (m_file.error() != QFileDevice::NoError || !m_file.commit())
            fileFailure(m_path, m_file.errorString());
    }

private:
    QString m_path;
    QSaveFile m_file;
    QPdfWriter m_writer;
    QPainter m_painter;
    int m_pages = 0;
};

void paintAll(const SheetLayout& layout, PdfFile& pdf, int firstNumber, int total) {
    for (int page = 0; page < layout.pageCount(); ++page) {
        pdf.newPage();
        layout.paintPage(pdf.painter(), page, firstNumber + page, total);
    }
}

struct Listed {
    model::CharacterKey key;
    QString name;
    QString player;
    int pages;
};

// The contents: a title, then one line per character with dot leaders to its first page.
class Contents {
public:
    Contents(QPaintDevice& device, const QString& title)
        : m_title(title), m_unit(device.logicalDpiY() / 72.0), m_width(device.width()),
          m_height(device.height() - 20 * m_unit), m_titleFont(QStringLiteral("DejaVu Serif")),
          m_font(QStringLiteral("DejaVu Sans")), m_device(device) {
        m_titleFont.setStyleHint(QFont::Serif);
        m_titleFont.setPointSizeF(15);
        m_titleFont.setBold(true);
        m_font.setStyleHint(QFont::SansSerif);
        m_font.setPointSizeF(9);
        m_font.setStyleStrategy(QFont::PreferNoShaping); // no ligatures: names stay searchable
        m_top = QFontMetricsF(m_titleFont, &device).height() * 2 + 10 * m_unit;
        m_row = QFontMetricsF(m_font, &device).height() + 3 * m_unit;
        m_perPage = std::max(1, int((m_height - m_top) / m_row));
    }
    int pagesFor(int entries) const { return std::max(1, (entries + m_perPage - 1) / m_perPage); }

    void paint(QPainter& painter, const std::vector<Listed>& entries, const std::vector<int>& firstPages, int page,
               int total) const {
        const QFontMetricsF titleMetrics(m_titleFont, &m_device);
        const QFontMetricsF metrics(m_font, &m_device);
        painter.setPen(QColor(0x1d, 0x1d, 0x1f));
        painter.setFont(m_titleFont);
        painter.drawText(QPointF(0, titleMetrics.ascent()), page == 0 ? m_title : m_title + QStringLiteral(", continued"));
        painter.setFont(m_font);
        painter.setPen(QColor(0x60, 0x60, 0x66));
        painter.drawText(QPointF(0, titleMetrics.height() + metrics.ascent() + 2 * m_unit),
                         QStringLiteral("%1 characters").arg(entries.size()));
        painter.setPen(QPen(QColor(0x1d, 0x1d, 0x1f), 1.2 * m_unit));
        painter.drawLine(QPointF(0, m_top - 5 * m_unit), QPointF(m_width, m_top - 5 * m_unit));
        const size_t first = size_t(page) * size_t(m_perPage);
        for (size_t i = first; i < std::min(entries.size(), first + size_t(m_perPage)); ++i) {
            const double baseline = m_top + double(i - first) * m_row + metrics.ascent();
            const QString number = QString::number(firstPages[i]);
            const double numberWidth = metrics.horizontalAdvance(number);
            QString name = entries[i].name.isEmpty() ? QStringLiteral("(no name)") : entries[i].name;
            const QString player = entries[i].player.isEmpty() ? QString() : QStringLiteral("  ") + entries[i].player;
            const double room = m_width - numberWidth - 40 * m_unit;
            name = metrics.elidedText(name, Qt::ElideRight, room * 0.7);
            const QString shownPlayer = metrics.elidedText(player, Qt::ElideRight, room - metrics.horizontalAdvance(name));
            painter.setPen(QColor(0x1d, 0x1d, 0x1f));
            painter.drawText(QPointF(0, baseline), name);
            const double nameEnd = metrics.horizontalAdvance(name);
            painter.setPen(QColor(0x60, 0x60, 0x66));
            painter.drawText(QPointF(nameEnd, baseline), shownPlayer);
            // Dot leaders: one dotted line, so the text reads "name player page".
            const double from = nameEnd + metrics.horizontalAdvance(shownPlayer) + 6 * m_unit;
            const double to = m_width - numberWidth - 6 * m_unit;
            if (to > from) {
                QPen dotted(QColor(0x9a, 0x9a, 0xa0), 1.0 * m_unit, Qt::DotLine, Qt::RoundCap);
                painter.setPen(dotted);
                painter.drawLine(QPointF(from, baseline - 1 * m_unit), QPointF(to, baseline - 1 * m_unit));
            }
            painter.setPen(QColor(0x1d, 0x1d, 0x1f));
            painter.drawText(QPointF(m_width - numberWidth, baseline), number);
        }
        painter.setFont(m_font);
        painter.setPen(QPen(QColor(0x9a, 0x9a, 0xa0), 0.5 * m_unit));
        const double foot = m_height + 6 * m_unit;
        painter.drawLine(QPointF(0, foot), QPointF(m_width, foot));
        const QString label = QStringLiteral("Page %1 of %2").arg(page + 1).arg(total);
        painter.setPen(QColor(0x60, 0x60, 0x66));
        painter.drawText(QPointF(m_width - metrics.horizontalAdvance(label), foot + 4 * m_unit + metrics.ascent()),
                         label);
    }

private:
    QString m_title;
    double m_unit, m_width, m_height;
    QFont m_titleFont, m_font;
    QPaintDevice& m_device;
    double m_top = 0, m_row = 0;
    int m_perPage = 1;
};

} // namespace

void writeCharacterPdf(db::Database& database, model::CharacterKey key, const QString& path) {
    std::optional<PrintedCharacter> character = loadPrinted(database, key);
    if (!character)
        throw db::DbError(
            QStringLiteral("The character with the key %1 cannot be exported: it is not in the database.").arg(key));
    PdfFile pdf(path, character->character.name);
    const SheetLayout layout(std::move(*character), pdf.writer());
    paintAll(layout, pdf, 1, layout.pageCount());
    pdf.commit();
}

bool writeChroniclePdf(db::Database& database, const std::vector<model::CharacterKey>& keys, const QString& path,
                       const QString& title, const Progress& progress) {
    const int total = int(keys.size()) * 2;
    int done = 0;
    const auto step = [&] { return !progress || progress(++done, total); };

    PdfFile pdf(path, title);
    // First the pages each character takes, for the contents; then the pages themselves.
    std::vector<Listed> listed;
    for (model::CharacterKey key : keys) {
        if (std::optional<PrintedCharacter> character = loadPrinted(database, key)) {
            Listed entry{key, character->character.name, character->character.player, 0};
            entry.pages = SheetLayout(std::move(*character), pdf.writer()).pageCount();
            listed.push_back(std::move(entry));
        }
        if (!step())
            return false;
    }
    if (listed.empty())
        throw db::DbError(QStringLiteral("None of the characters is in the database; nothing has been exported."));
    const Contents contents(pdf.writer(), title);
    // One character needs no contents.
    const int contentPages = listed.size() > 1 ? contents.pagesFor(int(listed.size())) : 0;
    std::vector<int> firstPages;
    int pages = contentPages;
    for (const Listed& entry : listed) {
        firstPages.push_back(pages + 1);
        pages += entry.pages;
    }
    for (int page = 0; page < contentPages; ++page) {
        pdf.newPage();
        contents.paint(pdf.painter(), listed, firstPages, page, pages);
    }
    size_t next = 0;
    for (model::CharacterKey key : keys) {
        if (next < listed.size() && listed[next].key == key) {
            std::optional<PrintedCharacter> character = loadPrinted(database, key);
            if (!character)
                throw db::DbError(QStringLiteral("The character %1 left the database while it was being exported; "
                                                 "nothing has been exported.")
                                      .arg(listed[next].name));
            const SheetLayout layout(std::move(*character), pdf.writer());
            paintAll(layout, pdf, firstPages[next], pages);
            ++next;
        }
        if (!step())
            return false;
    }
    pdf.commit();
    return true;
}

void printCharacter(const PrintedCharacter& character, QPrinter& printer) {
    const SheetLayout layout(character, printer);
    QPainter painter;
    if (!painter.begin(&printer))
        throw db::DbError(QStringLiteral("The printer cannot be used; nothing has been printed."));
    for (int page = 0; page < layout.pageCount(); ++page) {
        if (page > 0)
            printer.newPage();
        layout.paintPage(painter, page, page + 1, layout.pageCount());
    }
}

} // namespace print
