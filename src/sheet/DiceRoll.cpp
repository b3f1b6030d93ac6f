#include "sheet/DiceRoll.h"

#include "app/Services.h"
#include "dice/DicePool.h"

namespace sheet {

namespace {
app::Icon icon(dice::Verdict::Outcome outcome) {
    switch (outcome) {
    case dice::Verdict::Outcome::Failure:
        return app::Icon::Exclamation;
    case dice::Verdict::Outcome::Botch:
        return app::Icon::Critical;
    default:
        return app::Icon::None;
    }
}
} // namespace

void cmdRoll_Click(app::Services& services, const QString& diceText, const QString& difficultyText, bool specialized) {
    const auto verdict = dice::rollPool(diceText, difficultyText, specialized, [&] { return services.random(); });
    if (!verdict) {
        services.messageBox(QStringLiteral("One roll can have at most 32767 dice."), app::Buttons::OK,
                            app::Icon::Exclamation);
        return;
    }
    services.messageBox(verdict->text, app::Buttons::OK, icon(verdict->outcome));
}

} // namespace sheet
