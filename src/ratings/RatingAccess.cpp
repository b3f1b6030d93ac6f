#include "ratings/RatingAccess.h"

#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"

#include <QAccessibleWidget>

namespace ratings {

namespace {

class DotRowAccess : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit DotRowAccess(DotRow* row) : QAccessibleWidget(row, QAccessible::Slider) {}

    DotRow* row() const { return static_cast<DotRow*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return row()->valueText();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return row()->value(); }
    // A screen reader setting the value asks as a key would; the sheet decides.
    void setCurrentValue(const QVariant& value) override {
        const int asked = value.toInt();
        if (asked >= 0 && asked <= row()->maximum() && asked != row()->value())
            Q_EMIT row()->valueRequested(asked);
    }
    QVariant maximumValue() const override { return row()->maximum(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

class HealthBoxAccess : public QAccessibleWidget {
public:
    explicit HealthBoxAccess(HealthBox* box) : QAccessibleWidget(box, QAccessible::CheckBox) {}

    HealthBox* box() const { return static_cast<HealthBox*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return box()->stateText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = box()->state() == 3;
        s.checkStateMixed = box()->state() == 2;
        return s;
    }
};

QAccessibleInterface* ratingAccess(const QString& className, QObject* object) {
    if (className == QLatin1String("ratings::DotRow"))
        return new DotRowAccess(static_cast<DotRow*>(object));
    if (className == QLatin1String("ratings::HealthBox"))
        return new HealthBoxAccess(static_cast<HealthBox*>(object));
    return nullptr;
}

} // namespace

void installRatingAccess() {
    static const bool installed = [] {
        QAccessible::installFactory(&ratingAccess);
        return true;
    }();
    (void)installed;
}

} // namespace ratings
