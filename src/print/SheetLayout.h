#pragma once

#include "print/PrintedCharacter.h"

#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QString>
#include <QTextLayout>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

namespace print {

// The printed pages of one character on a paint device (a PDF writer or a printer): the sheet on
// the first page, then paths and rituals of both families, history, notes and the picture, which
// run onto as many further pages as they need. Every page ends with a footer naming the character
// and the page's number. Sizes are worked out in points and drawn in the device's own units, so
// text stays text and dots stay vector shapes.
class SheetLayout {
public:
    // The layout fills the device's page (its paint rectangle, inside the margins).
    SheetLayout(PrintedCharacter character, QPaintDevice& device);
    ~SheetLayout();
    SheetLayout(const SheetLayout&) = delete;
    SheetLayout& operator=(const SheetLayout&) = delete;

    int pageCount() const { return int(m_pages.size()); }
    // Paints page `index` (from 0) of the character. The footer reads "Page number of total".
    void paintPage(QPainter& painter, int index, int number, int total) const;

private:
    // A piece of the flow that is never split over two pages. It paints at (0, top) when given a
    // painter and returns its height either way, so one function both measures and draws.
    struct Block {
        std::function<double(QPainter*, double top)> draw;
        double height = 0;
        bool keepWithNext = false;
    };
    struct Placed {
        int block;
        double top;
    };

    void add(std::function<double(QPainter*, double)> draw, bool keepWithNext = false);
    void paginate();

    void buildSheet();
    void buildMagic(int family);
    void buildText(const char* title, const QString& text);
    void buildPicture();

    PrintedCharacter m_char;
    QPaintDevice& m_device;
    double m_unit;         // device units per point
    double m_width;        // of the page's paint rectangle, device units
    double m_bodyHeight;   // above the footer
    std::vector<Block> m_blocks;
    std::vector<std::vector<Placed>> m_pages;
    std::vector<std::unique_ptr<QTextLayout>> m_texts; // laid-out paragraphs the blocks draw
    QImage m_picture;
};

// The page size a new PDF takes: Letter where the system's locale measures in US units, A4 elsewhere.
QPageSize defaultPageSize();

} // namespace print
