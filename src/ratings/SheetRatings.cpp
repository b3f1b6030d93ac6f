#include "ratings/SheetRatings.h"

#include "app/Guard.h"
#include "app/mdlGlobal.h"
#include "ratings/DotRow.h"
#include "ratings/Experience.h"
#include "ratings/RatingClicks.h"
#include "ratings/Specialties.h"
#include "sheet/SheetControls.h"

#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

namespace ratings {

namespace {

const QString kWiringName = QStringLiteral("sheetRatingsWiring");

// Labels have no click signal: a left-button press on a watched caption runs its handler.
class CaptionClicks : public QObject {
public:
    explicit CaptionClicks(QObject* parent) : QObject(parent) { setObjectName(kWiringName); }

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
// only as a double-click and counts as a press too.
void onDotRow(DotRow* row, QObject* context, app::mdlGlobal& global, std::function<void(int)> handler) {
    auto run = [&global, handler](int x) { app::guarded(global.services, [&] { handler(x); }); };
    QObject::connect(row, &DotRow::pressed, context, [run](int x, Qt::MouseButton) { run(x); });
    QObject::connect(row, &DotRow::doubleClicked, context, run);
}

} // namespace

void connectSheetRatings(app::mdlGlobal& global, const sheet::SheetControls& ui, QObject* context) {
    if (context->findChild<QObject*>(kWiringName, Qt::FindDirectChildrenOnly))
        return; // already connected
    const sheet::SheetControls* controls = &ui;
    app::mdlGlobal* state = &global;

    for (int i = 0; i < int(ui.PBAtt.size()); ++i)
        onDotRow(ui.PBAtt[size_t(i)], context, global, [=](int x) { PBAtt_MouseDown(*state, *controls, i, x); });
    for (int j = 0; j < int(ui.PBAbil.size()); ++j)
        onDotRow(ui.PBAbil[size_t(j)], context, global, [=](int x) { PBAbil_MouseDown(*state, *controls, j, x); });
    for (int k = 0; k < int(ui.PBAdv.size()); ++k)
        onDotRow(ui.PBAdv[size_t(k)], context, global, [=](int x) { PBAdv_MouseDown(*state, *controls, k, x); });
    for (int b = 0; b < int(ui.PBBP.size()); ++b)
        onDotRow(ui.PBBP[size_t(b)], context, global, [=](int x) { PBBP_MouseDown(*state, *controls, b, x); });
    onDotRow(ui.pbWill, context, global, [=](int x) { pbWill_MouseDown(*state, *controls, x); });
    onDotRow(ui.pbHum, context, global, [=](int x) { pbHum_MouseDown(*state, *controls, x); });
    onDotRow(ui.PBCurWill, context, global, [=](int x) { PBCurWill_MouseDown(*state, *controls, x); });

    using Handler = void (*)(app::mdlGlobal&, const sheet::SheetControls&);
    const std::pair<QPushButton*, Handler> buttons[] = {
        {ui.cmdAddExperience, &cmdAddExperience_Click},
        {ui.cmdMinusExperience, &cmdMinusExperience_Click},
        {ui.cmdAddExpSpent, &cmdAddExpSpent_Click},
        {ui.cmdMinusExpSpent, &cmdMinusExpSpent_Click},
    };
    for (const auto& [button, handler] : buttons)
        QObject::connect(button, &QPushButton::clicked, context,
                         [=, h = handler] { app::guarded(state->services, [&] { h(*state, *controls); }); });

    auto* captions = new CaptionClicks(context);
    for (int i = 0; i < int(ui.lblAttributes.size()); ++i)
        captions->watch(ui.lblAttributes[size_t(i)],
                        [=] { app::guarded(state->services, [&] { lblAttributes_Click(*state, *controls, i); }); });
    for (int j = 0; j < int(ui.lblAbilities.size()); ++j)
        captions->watch(ui.lblAbilities[size_t(j)],
                        [=] { app::guarded(state->services, [&] { lblAbilities_Click(*state, *controls, j); }); });
}

} // namespace ratings
