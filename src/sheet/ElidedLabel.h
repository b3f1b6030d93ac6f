#pragma once

#include <QLabel>

namespace sheet {

// A one-line value label that ends a text too long for its place with "…" and then offers the
// whole text as its tooltip. text() stays the whole text.
class ElidedLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace sheet
