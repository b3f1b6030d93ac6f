#include "sheet/RatingWiring.h"

#include "app/Guard.h"
#include "app/Session.h"
#include "ratings/DotRow.h"
#include "ratings/HealthBox.h"
#include "sheet/CharacterSheet.h"
#include "sheet/Experience.h"
#include "sheet/HealthTrack.h"
#include "sheet/RatingClicks.h"
#include "sheet/SheetControls.h"
#include "sheet/Specialties.h"

#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

namespace sheet {

namespace {

// Labels have no click signal: a left-button press on a watched caption runs its handler.
class CaptionClicks : public QObject {
public:
    using QObject::QObject;

    void watch(QLabel* label, std::function<void()> handler) {
        m_handlers.insert(label, std::move(handler));
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        const auto handler = m_handlers.constFind(watched);
        if (handler == m_handlers.constEnd())
            return false;
        (*handler)();
        return true;
    }

private:
    QHash<QObject*, std::function<void()>> m_handlers;
};

// The value is taken when the button goes down; the second press of a fast double-click arrives
// only as a double-click and counts as a press too. A key asks for its value through the same flow.
void onDotRow(CharacterSheet* sheet, RatingRow kind, int index, ratings::DotRow* row, QObject* context,
              app::Services& services, std::function<void(int)> clicked) {
    auto run = [&services, clicked](int x) { app::guarded(services, [&] { clicked(x); }); };
    QObject::connect(row, &ratings::DotRow::pressed, context, [run](int x, Qt::MouseButton) { run(x); });
    QObject::connect(row, &ratings::DotRow::doubleClicked, context, run);
    QObject::connect(row, &ratings::DotRow::valueRequested, context, [=, &services](int value) {
        app::guarded(services, [&] { setRating(*sheet, kind, index, value); });
    });
}

} // namespace

void connectSheetRatings(CharacterSheet& sheet, QObject* context) {
    const SheetControls& ui = sheet.ui();
    app::Services& services = sheet.session().services;
    CharacterSheet* s = &sheet;
    auto guarded = [&services](std::function<void()> handler) {
        return [&services, handler] { app::guarded(services, handler); };
    };

    for (int i = 0; i < int(ui.PBAtt.size()); ++i)
        onDotRow(s, RatingRow::Attribute, i, ui.PBAtt[size_t(i)], context, services,
                 [=](int x) { PBAtt_MouseDown(*s, i, x); });
    for (int j = 0; j < int(ui.PBAbil.size()); ++j)
        onDotRow(s, RatingRow::Ability, j, ui.PBAbil[size_t(j)], context, services,
                 [=](int x) { PBAbil_MouseDown(*s, j, x); });
    for (int k = 0; k < int(ui.PBAdv.size()); ++k)
        onDotRow(s, RatingRow::Advantage, k, ui.PBAdv[size_t(k)], context, services,
                 [=](int x) { PBAdv_MouseDown(*s, k, x); });
    for (int b = 0; b < int(ui.PBBP.size()); ++b)
        onDotRow(s, RatingRow::BloodPool, b, ui.PBBP[size_t(b)], context, services,
                 [=](int x) { PBBP_MouseDown(*s, b, x); });
    onDotRow(s, RatingRow::Willpower, 0, ui.pbWill, context, services, [=](int x) { pbWill_MouseDown(*s, x); });
    onDotRow(s, RatingRow::Humanity, 0, ui.pbHum, context, services, [=](int x) { pbHum_MouseDown(*s, x); });
    onDotRow(s, RatingRow::CurrentWillpower, 0, ui.PBCurWill, context, services,
             [=](int x) { PBCurWill_MouseDown(*s, x); });
    for (int h = 0; h < int(ui.HealthBox.size()); ++h)
        QObject::connect(ui.HealthBox[size_t(h)], &ratings::HealthBox::stateRequested, context,
                         [=, &services](int state) { app::guarded(services, [=] { storeHealth(*s, h, state); }); });

    using Handler = void (*)(CharacterSheet&);
    const std::pair<QPushButton*, Handler> buttons[] = {
        {ui.cmdAddExperience, &cmdAddExperience_Click},
        {ui.cmdMinusExperience, &cmdMinusExperience_Click},
        {ui.cmdAddExpSpent, &cmdAddExpSpent_Click},
        {ui.cmdMinusExpSpent, &cmdMinusExpSpent_Click},
    };
    for (const auto& [button, handler] : buttons)
        QObject::connect(button, &QPushButton::clicked, context, guarded([=, h = handler] { h(*s); }));

    auto* captions = new CaptionClicks(context);
    for (int i = 0; i < int(ui.lblAttributes.size()); ++i)
        captions->watch(ui.lblAttributes[size_t(i)], guarded([=] { lblAttributes_Click(*s, i); }));
    for (int j = 0; j < int(ui.lblAbilities.size()); ++j)
        captions->watch(ui.lblAbilities[size_t(j)], guarded([=] { lblAbilities_Click(*s, j); }));
    // Enter on a trait's row does what a click on its caption does.
    for (int i = 0; i < int(ui.PBAtt.size()); ++i)
        QObject::connect(ui.PBAtt[size_t(i)], &ratings::DotRow::activated, context,
                         guarded([=] { lblAttributes_Click(*s, i); }));
    for (int j = 0; j < int(ui.PBAbil.size()); ++j)
        QObject::connect(ui.PBAbil[size_t(j)], &ratings::DotRow::activated, context,
                         guarded([=] { lblAbilities_Click(*s, j); }));
}

} // namespace sheet
