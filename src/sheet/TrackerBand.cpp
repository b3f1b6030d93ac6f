#include "sheet/SheetBuilders.h"
#include "sheet/SheetControls.h"
#include "sheet/SheetWidgets.h"

#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sheet::build {

namespace {

QGroupBox* frame(const QString& name, const QString& title) {
    auto* box = new QGroupBox(title);
    box->setObjectName(name);
    return box;
}

QGroupBox* meritsFrame(SheetControls& ui) {
    QGroupBox* box = frame(QStringLiteral("fraMerits"), QStringLiteral("Merits And Flaws"));
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(4);
    ui.lstMerit = new QListWidget;
    ui.lstMerit->setObjectName(QStringLiteral("lstMerit"));
    ui.lstMerit->setAccessibleName(QStringLiteral("Merits and flaws"));
    // The band's height comes from the health track; the list takes what the band has.
    ui.lstMerit->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    ui.lstMerit->setMinimumHeight(60);
    layout->addWidget(ui.lstMerit, 1);
    auto* buttons = new QHBoxLayout;
    ui.cmdAddMerit = widgets::button(QStringLiteral("cmdAddMerit"), QStringLiteral("Add Merit/Flaw"));
    ui.cmdRemoveMerit = widgets::button(QStringLiteral("cmdRemoveMerit"), QStringLiteral("Remove Merit/Flaw"));
    ui.cmdAddMerit->setEnabled(false); // edit mode only
    ui.cmdRemoveMerit->setEnabled(false);
    buttons->addWidget(ui.cmdAddMerit);
    buttons->addWidget(ui.cmdRemoveMerit);
    layout->addLayout(buttons);
    return box;
}

// "Humanity" over "Willpower", one column.
QWidget* humanityAndWillpower(SheetControls& ui, const ratings::BitmapStore& bitmaps) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    QGroupBox* humanity = frame(QStringLiteral("fraHumanity"), QStringLiteral("Humanity"));
    auto* h = new QGridLayout(humanity);
    h->setVerticalSpacing(3);
    ui.lblHumanity = widgets::valueLabel(QStringLiteral("lblHumanity"));
    ui.lblHumanity->setAlignment(Qt::AlignCenter);
    ui.cmbHumanity = widgets::editableCombo(QStringLiteral("cmbHumanity"));
    h->addWidget(ui.lblHumanity, 0, 0);
    h->addWidget(ui.cmbHumanity, 0, 0);
    widgets::matchHeight(ui.lblHumanity, ui.cmbHumanity);
    ui.pbHum = widgets::dotRow(bitmaps, QStringLiteral("pbHum"), ratings::Family::Check);
    ui.pbHum->setAccessibleName(QStringLiteral("Humanity"));
    ui.cmbHumanity->setAccessibleName(QStringLiteral("Humanity or path"));
    h->addWidget(ui.pbHum, 1, 0, Qt::AlignHCenter);
    layout->addWidget(humanity);

    QGroupBox* willpower = frame(QStringLiteral("fraWillpower"), QStringLiteral("Willpower"));
    auto* w = new QVBoxLayout(willpower);
    w->setSpacing(4);
    ui.pbWill = widgets::dotRow(bitmaps, QStringLiteral("pbWill"), ratings::Family::Check);
    ui.PBCurWill = widgets::dotRow(bitmaps, QStringLiteral("PBCurWill"), ratings::Family::Box);
    ui.pbWill->setAccessibleName(QStringLiteral("Willpower"));
    ui.PBCurWill->setAccessibleName(QStringLiteral("Current willpower"));
    w->addWidget(ui.pbWill, 0, Qt::AlignHCenter);
    w->addWidget(ui.PBCurWill, 0, Qt::AlignHCenter);
    layout->addWidget(willpower);
    layout->addStretch(1);
    return column;
}

QGroupBox* bloodPoolFrame(SheetControls& ui, const ratings::BitmapStore& bitmaps) {
    QGroupBox* box = frame(QStringLiteral("fraBloodPool"), QStringLiteral("Blood Pool"));
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(3);
    for (int i = 0; i < int(ui.PBBP.size()); ++i) {
        ui.PBBP[size_t(i)] = widgets::dotRow(bitmaps, model::catalogue::indexedName("PBBP", i), ratings::Family::Box);
        ui.PBBP[size_t(i)]->setAccessibleName(QStringLiteral("Blood pool, row %1").arg(i + 1));
        layout->addWidget(ui.PBBP[size_t(i)], 0, Qt::AlignHCenter);
    }
    auto* derived = new QGridLayout;
    derived->setContentsMargins(0, 4, 0, 0);
    ui.lblMaxBP = widgets::valueLabel(QStringLiteral("lblMaxBP"));
    ui.lblPTBP = widgets::valueLabel(QStringLiteral("lblPTBP"));
    for (QLabel* value : {ui.lblMaxBP, ui.lblPTBP})
        value->setAlignment(Qt::AlignCenter);
    derived->addWidget(widgets::caption(QStringLiteral("Max")), 0, 0, Qt::AlignRight);
    derived->addWidget(ui.lblMaxBP, 0, 1);
    derived->addWidget(widgets::caption(QStringLiteral("Per Turn")), 0, 2, Qt::AlignRight);
    derived->addWidget(ui.lblPTBP, 0, 3);
    layout->addLayout(derived);
    layout->addStretch(1);
    return box;
}

// "Given" and "Spent" with their minus and plus buttons, "Remaining" below them.
QGroupBox* experienceFrame(SheetControls& ui) {
    QGroupBox* box = frame(QStringLiteral("fraExperience"), QStringLiteral("Experience"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(4);
    grid->setHorizontalSpacing(4);
    struct Counter {
        const char* caption;
        QLabel*& value;
        const char* valueName;
        QPushButton** minus;
        const char* minusName;
        QPushButton** plus;
        const char* plusName;
        const char* spoken; // "experience given", in the buttons' accessible names
    };
    const Counter counters[] = {
        {"Given", ui.lblExpGiven, "lblExpGiven", &ui.cmdMinusExperience, "cmdMinusExperience", &ui.cmdAddExperience,
         "cmdAddExperience", "experience given"},
        {"Spent", ui.lblExpSpent, "lblExpSpent", &ui.cmdMinusExpSpent, "cmdMinusExpSpent", &ui.cmdAddExpSpent,
         "cmdAddExpSpent", "experience spent"},
        {"Remaining", ui.lblExpRemaining, "lblExpRemaining", nullptr, "", nullptr, "", ""},
    };
    int row = 0;
    for (const Counter& c : counters) {
        QLabel* caption = widgets::caption(QString::fromLatin1(c.caption));
        grid->addWidget(caption, row, 0);
        c.value = widgets::valueLabel(QString::fromLatin1(c.valueName));
        caption->setBuddy(c.value);
        c.value->setText(QStringLiteral("0"));
        c.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(c.value, row, 1);
        if (c.minus) {
            *c.minus = widgets::button(QString::fromLatin1(c.minusName), QStringLiteral("-"));
            *c.plus = widgets::button(QString::fromLatin1(c.plusName), QStringLiteral("+"));
            (*c.minus)->setAccessibleName(QStringLiteral("Remove ") + QString::fromLatin1(c.spoken));
            (*c.plus)->setAccessibleName(QStringLiteral("Add ") + QString::fromLatin1(c.spoken));
            for (QPushButton* b : {*c.minus, *c.plus}) {
                b->setProperty("role", QStringLiteral("step"));
                b->setEnabled(false); // edit mode only
            }
            grid->addWidget(*c.minus, row, 2);
            grid->addWidget(*c.plus, row, 3);
        }
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);
    return box;
}

QGroupBox* healthFrame(SheetControls& ui, const ratings::BitmapStore& bitmaps) {
    QGroupBox* box = frame(QStringLiteral("fraHealth"), QStringLiteral("Health"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(4);
    grid->setHorizontalSpacing(8);
    for (int i = 0; i < model::catalogue::kHealthCount; ++i) {
        const model::catalogue::HealthLevel& level = model::catalogue::kHealthLevels[size_t(i)];
        grid->addWidget(widgets::caption(QString::fromLatin1(level.caption)), i, 0);
        if (*level.penalty) {
            QLabel* penalty = widgets::caption(QString::fromLatin1(level.penalty));
            penalty->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(penalty, i, 1);
        }
        auto* healthBox = new ratings::HealthBox(bitmaps);
        healthBox->setObjectName(model::catalogue::indexedName("HealthBox", i));
        healthBox->setAccessibleName(QStringLiteral("Health: ") + QString::fromLatin1(level.caption));
        ui.HealthBox[size_t(i)] = healthBox;
        grid->addWidget(healthBox, i, 2);
    }
    grid->setColumnStretch(0, 1);
    return box;
}

} // namespace

QWidget* trackerBand(SheetControls& ui, const ratings::BitmapStore& bitmaps) {
    auto* band = new QWidget;
    band->setObjectName(QStringLiteral("trackerBand"));
    auto* layout = new QHBoxLayout(band);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(meritsFrame(ui), 3);
    layout->addWidget(humanityAndWillpower(ui, bitmaps), 0);
    layout->addWidget(bloodPoolFrame(ui, bitmaps), 0);
    layout->addWidget(experienceFrame(ui), 2);
    layout->addWidget(healthFrame(ui, bitmaps), 2);
    return band;
}

} // namespace sheet::build
