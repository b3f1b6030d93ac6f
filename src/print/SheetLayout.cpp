#include "print/SheetLayout.h"

#include "model/BloodPool.h"
#include "model/Numbers.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageReader>
#include <QLocale>
#include <QPageSize>
#include <QPaintDevice>
#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace print {

namespace catalogue = model::catalogue;

namespace {

// Sizes in points.
constexpr double kFooter = 20;       // reserved at the foot of every page
constexpr double kGutter = 14;       // between columns
constexpr double kDot = 5.6;         // diameter
constexpr double kDotPitch = 7.2;    // centre to centre
constexpr double kFiveGap = 3;       // after the fifth dot of ten
constexpr double kBox = 6.4;         // side of a square
constexpr double kBoxPitch = 8.2;
constexpr double kValueWidth = 13;   // the figure after a row of dots
constexpr double kRowGap = 1.6;
constexpr double kSectionGap = 7;
constexpr int kMeritsInBand = 16;    // more continue below the band

const QColor kInk(0x1d, 0x1d, 0x1f);
const QColor kMuted(0x60, 0x60, 0x66);
const QColor kRule(0x9a, 0x9a, 0xa0);

QFont makeFont(double points, bool serif, bool bold = false, bool italic = false) {
    QFont font;
    font.setFamilies(serif ? QStringList{QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif"),
                                         QStringLiteral("Times New Roman"), QStringLiteral("serif")}
                           : QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                         QStringLiteral("Arial"), QStringLiteral("Helvetica"), QStringLiteral("sans")});
    font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    // Ligatures would turn "fl" into one glyph that a PDF search for "Influence" misses.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

struct Fonts {
    QFont title = makeFont(17, true, true);
    QFont section = makeFont(9.5, true, true);
    QFont group = makeFont(7.8, false, true);
    QFont body = makeFont(8.2, false);
    QFont label = makeFont(7.2, false, true);
    QFont small = makeFont(6.8, false);
    QFont note = makeFont(7.2, false, false, true);
    QFont text = makeFont(9.5, true);
};

const Fonts& fonts() {
    static const Fonts f;
    return f;
}

// A caption without the sheet's colon.
QString caption(const char* text) {
    QString s = QString::fromUtf8(text);
    if (s.endsWith(QLatin1Char(':')))
        s.chop(1);
    return s;
}

QString figure(const std::optional<double>& value) {
    return value ? numbers::plainText(*value) : QStringLiteral("—");
}

// One row of a rated list: caption, an optional note (a specialty), dots and the figure.
struct Rated {
    QString caption;
    QString note;
    int value = 0;
    int dots = 10;
    bool blank = false; // an unused slot: a line to write on
};

enum class BoxState { Empty, Filled, Slash, Cross };

// Draws when given a painter and measures either way. Coordinates are device units; sizes are
// given in points and converted.
class Canvas {
public:
    Canvas(QPainter* painter, QPaintDevice& device, double unit) : p(painter), m_device(device), u(unit) {}

    QPainter* p;
    double pt(double points) const { return points * u; }

    QFontMetricsF metrics(const QFont& font) const { return QFontMetricsF(font, &m_device); }
    double lineHeight(const QFont& font) const { return metrics(font).height(); }
    double width(const QFont& font, const QString& text) const { return metrics(font).horizontalAdvance(text); }

    // Text wrapped within the rectangle's width; returns the height it takes (at least one line).
    double text(const QRectF& rect, const QFont& font, const QString& text, int flags = Qt::AlignLeft,
                const QColor& color = kInk) const {
        const int all = flags | Qt::TextWordWrap | Qt::AlignTop;
        const QRectF room(rect.x(), rect.y(), rect.width(), 1e7);
        const double height = std::max(lineHeight(font), metrics(font).boundingRect(room, all, text).height());
        if (p) {
            p->setFont(font);
            p->setPen(color);
            p->drawText(QRectF(rect.x(), rect.y(), rect.width(), height + pt(1)), all, text);
        }
        return height;
    }
    // One line of text at its baseline.
    void line(double x, double baseline, const QFont& font, const QString& text, const QColor& color = kInk) const {
        if (!p)
            return;
        p->setFont(font);
        p->setPen(color);
        p->drawText(QPointF(x, baseline), text);
    }
    void rule(double x1, double y, double x2, double thickness = 0.5, const QColor& color = kRule) const {
        if (!p)
            return;
        p->setPen(QPen(color, pt(thickness)));
        p->drawLine(QPointF(x1, y), QPointF(x2, y));
    }

    static double dotsWidthPt(int count) { return (count - 1) * kDotPitch + kDot + (count > 5 ? kFiveGap : 0); }
    // A row of dots, the first `value` filled, centred on y.
    void dots(double x, double y, int value, int count) const {
        if (!p)
            return;
        p->setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < count; ++i) {
            const double cx = x + pt(i * kDotPitch + kDot / 2 + (i >= 5 && count > 5 ? kFiveGap : 0));
            p->setPen(QPen(kInk, pt(0.6)));
            p->setBrush(i < value ? QBrush(kInk) : Qt::NoBrush);
            p->drawEllipse(QPointF(cx, y), pt(kDot / 2), pt(kDot / 2));
        }
        p->setBrush(Qt::NoBrush);
    }
    // Squares from x, centred on y.
    void boxes(double x, double y, const std::vector<BoxState>& states) const {
        if (!p)
            return;
        for (size_t i = 0; i < states.size(); ++i) {
            const QRectF square(x + pt(double(i) * kBoxPitch), y - pt(kBox / 2), pt(kBox), pt(kBox));
            p->setPen(QPen(kInk, pt(0.6)));
            p->setBrush(states[i] == BoxState::Filled ? QBrush(kInk) : Qt::NoBrush);
            p->drawRect(square);
            if (states[i] == BoxState::Slash || states[i] == BoxState::Cross)
                p->drawLine(square.bottomLeft(), square.topRight());
            if (states[i] == BoxState::Cross)
                p->drawLine(square.topLeft(), square.bottomRight());
        }
        p->setBrush(Qt::NoBrush);
    }

    // A rated row in a column of width w at (x, y); returns its height.
    double rated(double x, double y, double w, const Rated& row) const {
        const Fonts& f = fonts();
        const double lh = lineHeight(f.body);
        const double right = pt(dotsWidthPt(row.dots) + 3 + kValueWidth);
        const double left = w - right - pt(4);
        double height = lh;
        const double captionWidth = width(f.body, row.caption);
        if (row.blank) {
            rule(x, y + metrics(f.body).ascent() + pt(1.5), x + left, 0.5);
        } else {
            height = text(QRectF(x, y, left, 0), f.body, row.caption);
        }
        if (!row.note.isEmpty()) {
            const double noteWidth = width(f.note, row.note);
            if (height <= lh * 1.01 && captionWidth + pt(4) + noteWidth <= left) {
                line(x + captionWidth + pt(4), y + metrics(f.body).ascent(), f.note, row.note, kMuted);
            } else {
                height += text(QRectF(x + pt(8), y + height, w - pt(8), 0), f.note, row.note, Qt::AlignLeft, kMuted);
            }
        }
        const double middle = y + lh / 2;
        const double dotsX = x + w - right;
        dots(dotsX, middle, row.blank ? 0 : row.value, row.dots);
        if (!row.blank)
            text(QRectF(x + w - pt(kValueWidth), y, pt(kValueWidth), 0), f.small, QString::number(row.value),
                 Qt::AlignRight, kMuted);
        return height + pt(kRowGap);
    }

    // A caption and a figure at the column's right edge.
    double figureRow(double x, double y, double w, const QString& captionText, const QString& value) const {
        const Fonts& f = fonts();
        const double h = text(QRectF(x, y, w - pt(40), 0), f.body, captionText);
        text(QRectF(x + w - pt(40), y, pt(40), 0), f.body, value, Qt::AlignRight);
        return h + pt(kRowGap);
    }

    // A column heading, centred; returns its height.
    double group(double x, double y, double w, const QString& title) const {
        const Fonts& f = fonts();
        const double h = text(QRectF(x, y, w, 0), f.group, title.toUpper(), Qt::AlignHCenter, kMuted);
        return h + pt(2);
    }

private:
    QPaintDevice& m_device;
    double u;
};

// A section title centred between two rules, `above` points below the top; returns the height.
double sectionTitle(const Canvas& c, double top, double width, const QString& title, double above, double below) {
    QFont font = fonts().section;
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    const QString caps = title.toUpper();
    const double y = top + c.pt(above);
    const double w = c.width(font, caps);
    const double h = c.lineHeight(font);
    c.line((width - w) / 2, y + c.metrics(font).ascent(), font, caps);
    c.rule(0, y + h / 2, (width - w) / 2 - c.pt(8), 0.8, kInk);
    c.rule((width + w) / 2 + c.pt(8), y + h / 2, width, 0.8, kInk);
    return y + h + c.pt(below) - top;
}

} // namespace

QPageSize defaultPageSize() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

SheetLayout::SheetLayout(PrintedCharacter character, QPaintDevice& device)
    : m_char(std::move(character)), m_device(device), m_unit(device.logicalDpiY() / 72.0),
      m_width(device.width()), m_bodyHeight(device.height() - kFooter * m_unit) {
    buildSheet();
    buildMagic(0);
    buildMagic(1);
    buildText("History", m_char.history);
    buildText("Notes", m_char.notes);
    buildPicture();
    paginate();
}

SheetLayout::~SheetLayout() = default;

void SheetLayout::add(std::function<double(QPainter*, double)> draw, bool keepWithNext) {
    Block block;
    block.height = draw(nullptr, 0);
    block.draw = std::move(draw);
    block.keepWithNext = keepWithNext;
    m_blocks.push_back(std::move(block));
}

void SheetLayout::paginate() {
    m_pages.assign(1, {});
    double y = 0;
    for (size_t i = 0; i < m_blocks.size(); ++i) {
        double needed = m_blocks[i].height;
        // A heading goes with what follows it.
        for (size_t j = i; m_blocks[j].keepWithNext && j + 1 < m_blocks.size(); ++j)
            needed += m_blocks[j + 1].height;
        if (y + std::min(needed, m_bodyHeight) > m_bodyHeight && !m_pages.back().empty()) {
            m_pages.emplace_back();
            y = 0;
        }
        m_pages.back().push_back({int(i), y});
        y += m_blocks[i].height;
    }
}

void SheetLayout::paintPage(QPainter& painter, int index, int number, int total) const {
    if (index < 0 || index >= pageCount())
        return;
    painter.save();
    painter.setClipRect(QRectF(0, 0, m_width, m_bodyHeight + m_unit * 2));
    for (const Placed& placed : m_pages[size_t(index)])
        m_blocks[size_t(placed.block)].draw(&painter, placed.top);
    painter.restore();

    const Canvas c(&painter, m_device, m_unit);
    const Fonts& f = fonts();
    const double top = m_device.height() - c.pt(kFooter) + c.pt(6);
    c.rule(0, top, m_width, 0.5);
    const double base = top + c.pt(4) + c.metrics(f.small).ascent();
    c.line(0, base, f.small, m_char.character.name, kMuted);
    const QString page = QStringLiteral("Page %1 of %2").arg(number).arg(total);
    c.line(m_width - c.width(f.small, page), base, f.small, page, kMuted);
}

void SheetLayout::buildSheet() {
    const model::Character& ch = m_char.character; // read here only; the blocks read m_char
    const double columnWidth = (m_width - 2 * kGutter * m_unit) / 3;
    const auto columnX = [columnWidth, unit = m_unit](int column) { return column * (columnWidth + kGutter * unit); };

    // The name as the title, then the identity fields three to a column.
    add([this, columnWidth, columnX](QPainter* p, double top) {
        const model::Character& ch = m_char.character;
        const Canvas c(p, m_device, m_unit);
        const Fonts& f = fonts();
        double y = top;
        const QString tag = QStringLiteral("CALDRENNE");
        const double tagWidth = c.width(f.group, tag);
        const double titleHeight =
            c.text(QRectF(0, y, m_width - tagWidth - c.pt(12), 0), f.title, ch.name.isEmpty() ? QStringLiteral(" ") : ch.name);
        c.line(m_width - tagWidth, y + titleHeight - c.metrics(f.group).descent() - c.pt(3), f.group, tag, kMuted);
        y += titleHeight + c.pt(2);
        c.rule(0, y, m_width, 1.4, kInk);
        y += c.pt(5);
        const QString values[catalogue::kIdentityCount] = {
            ch.name,     ch.player, ch.chronicle,
            ch.nature,   ch.demeanor, ch.clan,
            ch.generation ? numbers::plainText(*ch.generation) : QString(), ch.haven, ch.conceptName};
        double bottom = y;
        for (int column = 0; column < 3; ++column) {
            double rowY = y;
            for (int row = 0; row < 3; ++row) {
                const int field = column * 3 + row;
                const QString label = caption(catalogue::kIdentity[size_t(field)].caption);
                const double labelWidth = c.pt(58);
                c.text(QRectF(columnX(column), rowY + c.pt(0.8), labelWidth, 0), f.label, label, Qt::AlignLeft, kMuted);
                const double h = c.text(QRectF(columnX(column) + labelWidth, rowY, columnWidth - labelWidth, 0), f.body,
                                        values[field]);
                c.rule(columnX(column) + labelWidth, rowY + h + c.pt(0.5), columnX(column) + columnWidth, 0.3);
                rowY += h + c.pt(3);
            }
            bottom = std::max(bottom, rowY);
        }
        return bottom - top + c.pt(4);
    });

    // A section title between two rules.
    const auto section = [this](const QString& title) {
        add(
            [this, title](QPainter* p, double top) {
                const Canvas c(p, m_device, m_unit);
                return sectionTitle(c, top, m_width, title, kSectionGap / 2, 2);
            },
            true);
    };

    // Three columns of rated rows; rows line up across the columns.
    using Columns = std::array<std::vector<Rated>, 3>;
    const auto grid = [this, columnWidth, columnX](std::array<QString, 3> headings, Columns columns) {
        add([this, columnWidth, columnX, headings, columns](QPainter* p, double top) {
            const Canvas c(p, m_device, m_unit);
            const Canvas measure(nullptr, m_device, m_unit);
            double y = top;
            double headingHeight = 0;
            for (int k = 0; k < 3; ++k)
                headingHeight = std::max(headingHeight, c.group(columnX(k), y, columnWidth, headings[size_t(k)]));
            y += headingHeight;
            size_t rows = 0;
            for (const auto& column : columns)
                rows = std::max(rows, column.size());
            for (size_t r = 0; r < rows; ++r) {
                double rowHeight = 0;
                for (int k = 0; k < 3; ++k)
                    if (r < columns[size_t(k)].size())
                        rowHeight = std::max(rowHeight, measure.rated(0, 0, columnWidth, columns[size_t(k)][r]));
                for (int k = 0; k < 3; ++k)
                    if (r < columns[size_t(k)].size())
                        c.rated(columnX(k), y, columnWidth, columns[size_t(k)][r]);
                y += rowHeight;
            }
            return y - top;
        });
    };

    const auto traitRows = [&ch](const catalogue::TraitGroup& group, int firstTrait, const auto& traits) {
        std::vector<Rated> rows;
        for (int i = group.first; i < group.first + group.count; ++i) {
            const int t = firstTrait + i;
            rows.push_back({caption(traits[size_t(i)].caption), ch.specialties[size_t(t)], ch.traits[size_t(t)]});
        }
        return rows;
    };

    section(QStringLiteral("Attributes"));
    Columns attributes;
    std::array<QString, 3> attributeHeadings;
    for (int k = 0; k < 3; ++k) {
        attributeHeadings[size_t(k)] = QString::fromUtf8(catalogue::kAttributeGroups[size_t(k)].heading);
        attributes[size_t(k)] = traitRows(catalogue::kAttributeGroups[size_t(k)], 0, catalogue::attributes());
    }
    grid(attributeHeadings, attributes);

    section(QStringLiteral("Abilities"));
    Columns abilities;
    std::array<QString, 3> abilityHeadings;
    for (int k = 0; k < 3; ++k) {
        abilityHeadings[size_t(k)] = QString::fromUtf8(catalogue::kAbilityGroups[size_t(k)].heading);
        abilities[size_t(k)] =
            traitRows(catalogue::kAbilityGroups[size_t(k)], catalogue::kAttributeCount, catalogue::abilities());
    }
    grid(abilityHeadings, abilities);

    section(QStringLiteral("Advantages"));
    Columns advantages;
    for (const model::Slot& slot : ch.backgrounds)
        advantages[0].push_back({slot.name, {}, slot.level, 10, slot.name.isEmpty()});
    for (const model::Slot& slot : ch.disciplines)
        advantages[1].push_back({slot.name, {}, slot.level, 10, slot.name.isEmpty()});
    for (size_t v = 0; v < catalogue::kVirtues.size(); ++v) {
        const catalogue::Virtue& virtue = catalogue::kVirtues[v];
        const char* name = ch.virtues[v].firstVariant || !*virtue.second ? virtue.first : virtue.second;
        advantages[2].push_back({caption(name), {}, ch.virtues[v].rating, 5});
    }
    grid({QStringLiteral("Backgrounds"), QStringLiteral("Disciplines"), QStringLiteral("Virtues")}, advantages);

    // Merits and flaws; humanity, willpower and blood; health and experience.
    section(QStringLiteral("Traits of the Blood"));
    std::vector<std::pair<QString, QString>> merits;
    for (const model::Merit& merit : ch.merits) {
        // The store writes each line as the name, one blank and the points.
        const qsizetype blank = merit.text.lastIndexOf(QLatin1Char(' '));
        merits.emplace_back(blank < 0 ? merit.text : merit.text.left(blank),
                            blank < 0 ? QString() : merit.text.mid(blank + 1));
    }
    const std::vector<std::pair<QString, QString>> inBand(merits.begin(),
                                                          merits.begin() + std::min<size_t>(merits.size(), kMeritsInBand));
    add([this, columnWidth, columnX, inBand](QPainter* p, double top) {
        const model::Character& ch = m_char.character;
        const Canvas c(p, m_device, m_unit);
        const Fonts& f = fonts();
        const double lh = c.lineHeight(f.body);

        // Middle column: humanity, willpower, blood pool.
        double x = columnX(1);
        double y = top;
        y += c.group(x, y, columnWidth, QStringLiteral("Humanity / Path"));
        y += c.rated(x, y, columnWidth, {ch.humanityPath.isEmpty() ? QStringLiteral("Humanity") : ch.humanityPath, {},
                                         ch.humanity});
        y += c.pt(4);
        y += c.group(x, y, columnWidth, QStringLiteral("Willpower"));
        y += c.rated(x, y, columnWidth, {QStringLiteral("Permanent"), {}, ch.willpower});
        {
            const double right = c.pt(Canvas::dotsWidthPt(10) + 3 + kValueWidth);
            c.text(QRectF(x, y, columnWidth - right, 0), f.body, QStringLiteral("Current"));
            std::vector<BoxState> states(10, BoxState::Empty);
            for (int i = 0; i < std::clamp<int>(ch.currentWillpower, 0, 10); ++i)
                states[size_t(i)] = BoxState::Filled;
            c.boxes(x + columnWidth - right, y + lh / 2, states);
            c.text(QRectF(x + columnWidth - c.pt(kValueWidth), y, c.pt(kValueWidth), 0), f.small,
                   QString::number(ch.currentWillpower), Qt::AlignRight, kMuted);
            y += lh + c.pt(kRowGap) + c.pt(4);
        }
        y += c.group(x, y, columnWidth, QStringLiteral("Blood Pool"));
        const std::optional<catalogue::GenerationRow> generation =
            ch.generation ? catalogue::generationRow(*ch.generation) : std::nullopt;
        const QString maximum = generation ? QString::fromLatin1(generation->maxBloodPool) : QStringLiteral("—");
        const QString perTurn = generation ? QString::fromLatin1(generation->perTurn) : QStringLiteral("—");
        const double third = columnWidth / 3;
        const std::pair<QString, QString> pool[] = {{QStringLiteral("Pool"), QString::number(ch.bloodPool)},
                                                    {QStringLiteral("Maximum"), maximum},
                                                    {QStringLiteral("Per turn"), perTurn}};
        for (int k = 0; k < 3; ++k) {
            const double lw = c.width(f.label, pool[k].first + QLatin1Char(' '));
            c.text(QRectF(x + k * third, y + c.pt(0.8), lw, 0), f.label, pool[k].first, Qt::AlignLeft, kMuted);
            c.text(QRectF(x + k * third + lw, y, third - lw, 0), f.body, pool[k].second);
        }
        y += lh + c.pt(3);
        constexpr int kMostBoxes = model::kBloodPoolRows * model::kBoxesPerRow;
        const int boxes = std::min(kMostBoxes, generation ? generation->bloodPoolBoxes
                                                          : std::max(10, (ch.bloodPool + 9) / 10 * 10));
        for (int first = 0; first < boxes; first += model::kBoxesPerRow) {
            std::vector<BoxState> states;
            for (int i = first; i < std::min(boxes, first + model::kBoxesPerRow); ++i)
                states.push_back(i < ch.bloodPool ? BoxState::Filled : BoxState::Empty);
            c.boxes(x + (columnWidth - c.pt((model::kBoxesPerRow - 1) * kBoxPitch + kBox)) / 2,
                    y + c.pt(kBoxPitch / 2), states);
            y += c.pt(kBoxPitch + 1);
        }
        const double middleBottom = y;

        // Right column: health, experience.
        x = columnX(2);
        y = top;
        y += c.group(x, y, columnWidth, QStringLiteral("Health"));
        for (int i = 0; i < catalogue::kHealthCount; ++i) {
            const catalogue::HealthLevel& level = catalogue::kHealthLevels[size_t(i)];
            c.text(QRectF(x, y, columnWidth / 2, 0), f.body, QString::fromLatin1(level.caption));
            c.text(QRectF(x + columnWidth / 2, y, c.pt(20), 0), f.body, QString::fromLatin1(level.penalty),
                   Qt::AlignRight);
            const int state = ch.health[size_t(i)];
            c.boxes(x + columnWidth - c.pt(kBox + 2), y + lh / 2,
                    {state == 2 ? BoxState::Slash : state == 3 ? BoxState::Cross : BoxState::Empty});
            y += lh + c.pt(kRowGap);
        }
        y += c.pt(4);
        y += c.group(x, y, columnWidth, QStringLiteral("Experience"));
        y += c.figureRow(x, y, columnWidth, QStringLiteral("Given"), figure(ch.experienceGiven));
        y += c.figureRow(x, y, columnWidth, QStringLiteral("Spent"), figure(ch.experienceSpent));
        y += c.figureRow(x, y, columnWidth, QStringLiteral("Remaining"),
                         ch.experienceGiven && ch.experienceSpent ? numbers::plainText(ch.experienceRemaining())
                                                                  : QStringLiteral("—"));
        const double rightBottom = y;

        // Left column: merits and flaws, then lines to write on down to the band's foot.
        x = columnX(0);
        y = top;
        y += c.group(x, y, columnWidth, QStringLiteral("Merits & Flaws"));
        for (const auto& [name, points] : inBand) {
            const double h = c.text(QRectF(x, y, columnWidth - c.pt(22), 0), f.body, name);
            c.text(QRectF(x + columnWidth - c.pt(20), y, c.pt(20), 0), f.body, points, Qt::AlignRight);
            c.rule(x, y + h + c.pt(0.6), x + columnWidth, 0.3);
            y += h + c.pt(kRowGap + 0.6);
        }
        const double bottom = std::max({middleBottom, rightBottom, y});
        while (y + lh + c.pt(kRowGap) <= bottom) {
            c.rule(x, y + lh + c.pt(0.6), x + columnWidth, 0.3);
            y += lh + c.pt(kRowGap + 0.6);
        }
        return bottom - top + c.pt(4);
    });

    if (merits.size() > size_t(kMeritsInBand)) {
        const auto smallHeading = [this](const QString& title) {
            add([this, title](QPainter* p, double top) {
                const Canvas c(p, m_device, m_unit);
                return c.group(0, top + c.pt(4), m_width / 2, title) + c.pt(4);
            }, true);
        };
        smallHeading(QStringLiteral("Merits & Flaws, continued"));
        for (size_t i = kMeritsInBand; i < merits.size(); ++i) {
            add([this, merit = merits[i]](QPainter* p, double top) {
                const Canvas c(p, m_device, m_unit);
                const Fonts& f = fonts();
                const double w = m_width / 2;
                const double h = c.text(QRectF(0, top, w - c.pt(22), 0), f.body, merit.first);
                c.text(QRectF(w - c.pt(20), top, c.pt(20), 0), f.body, merit.second, Qt::AlignRight);
                c.rule(0, top + h + c.pt(0.6), w, 0.3);
                return h + c.pt(kRowGap + 0.6);
            });
        }
    }
}

void SheetLayout::buildMagic(int family) {
    const auto& paths = m_char.paths[size_t(family)];
    const auto& rituals = m_char.rituals[size_t(family)];
    if (paths.empty() && rituals.empty())
        return; // a family the character has nothing of takes no room
    const QString title = family == 0 ? QStringLiteral("Thaumaturgy") : QStringLiteral("Necromancy");
    const double half = (m_width - kGutter * m_unit) / 2;
    const double rightX = half + kGutter * m_unit;
    add(
        [this, title, half, rightX](QPainter* p, double top) {
            const Canvas c(p, m_device, m_unit);
            const double y = top + sectionTitle(c, top, m_width, title, kSectionGap, 4);
            const double g = std::max(c.group(0, y, half, QStringLiteral("Paths")),
                                      c.group(rightX, y, half, QStringLiteral("Rituals")));
            return y + g - top;
        },
        true);
    const size_t rows = std::max(paths.size(), rituals.size());
    for (size_t r = 0; r < rows; ++r) {
        std::optional<store::rituals::PathEntry> path;
        if (r < paths.size())
            path = paths[r];
        std::optional<store::rituals::RitualEntry> ritual;
        if (r < rituals.size())
            ritual = rituals[r];
        add([this, path, ritual, half, rightX](QPainter* p, double top) {
            const Canvas c(p, m_device, m_unit);
            const Fonts& f = fonts();
            double h = c.lineHeight(f.body) + c.pt(kRowGap);
            if (path)
                h = std::max(h, c.rated(0, top, half, {path->name, {}, path->level}));
            if (ritual) {
                const double levelWidth = c.pt(44);
                c.text(QRectF(rightX, top + c.pt(0.8), levelWidth, 0), f.label,
                       ritual->level.isEmpty() ? QString() : QStringLiteral("Level ") + ritual->level, Qt::AlignLeft,
                       kMuted);
                h = std::max(h, c.text(QRectF(rightX + levelWidth, top, half - levelWidth, 0), f.body, ritual->name) +
                                    c.pt(kRowGap));
            }
            return h;
        });
    }
}

void SheetLayout::buildText(const char* title, const QString& text) {
    if (text.trimmed().isEmpty())
        return;
    const QString heading = QString::fromLatin1(title);
    add(
        [this, heading](QPainter* p, double top) {
            const Canvas c(p, m_device, m_unit);
            return sectionTitle(c, top, m_width, heading, kSectionGap, 4);
        },
        true);

    // Each paragraph is laid out once; each of its lines is a block, so a long text breaks
    // between lines wherever the page ends.
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QFont& font = fonts().text;
    const double paragraphGap = m_unit * 3;
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : normalized.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, &m_device);
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine())
            line.setLineWidth(m_width);
        layout->endLayout();
        QTextLayout* laidOut = layout.get();
        m_texts.push_back(std::move(layout));
        for (int i = 0; i < laidOut->lineCount(); ++i) {
            const bool last = i + 1 == laidOut->lineCount();
            add([laidOut, i, last, paragraphGap](QPainter* p, double top) {
                const QTextLine line = laidOut->lineAt(i);
                if (p) {
                    p->setPen(kInk);
                    line.draw(p, QPointF(0, top - line.y()));
                }
                return line.height() + (last ? paragraphGap : 0);
            });
        }
    }
}

void SheetLayout::buildPicture() {
    if (m_char.picture.trimmed().isEmpty())
        return;
    QImageReader reader(m_char.picture);
    reader.setAutoTransform(true);
    m_picture = reader.read();
    const QString missing = m_picture.isNull() ? QStringLiteral("The picture \"%1\" %2.")
                                                     .arg(m_char.picture, QFileInfo(m_char.picture).exists()
                                                                              ? QStringLiteral("cannot be read")
                                                                              : QStringLiteral("was not found"))
                                               : QString();
    add(
        [this](QPainter* p, double top) {
            const Canvas c(p, m_device, m_unit);
            return sectionTitle(c, top, m_width, QStringLiteral("Picture"), kSectionGap, 6);
        },
        true);
    add([this, missing](QPainter* p, double top) {
        const Canvas c(p, m_device, m_unit);
        if (m_picture.isNull())
            return c.text(QRectF(0, top, m_width, 0), fonts().note, missing, Qt::AlignHCenter, kMuted);
        // At most the page's width and half its height, never enlarged beyond 150 dpi.
        QSizeF size = QSizeF(m_picture.size()) * (m_device.logicalDpiX() / 150.0);
        size = size.scaled(QSizeF(std::min(size.width(), m_width), std::min(size.height(), m_bodyHeight / 2)),
                           Qt::KeepAspectRatio);
        if (p)
            p->drawImage(QRectF((m_width - size.width()) / 2, top, size.width(), size.height()), m_picture);
        return size.height();
    });
}

} // namespace print
