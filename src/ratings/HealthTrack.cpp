#include "ratings/HealthTrack.h"

#include "model/Numbers.h"
#include "app/mdlGlobal.h"
#include "ratings/HealthBox.h"

#include <optional>

namespace ratings {

namespace {

// A stored value read as a 16-bit whole number; Null, text and anything outside 1..3 is empty.
int stateOf(const QVariant& stored) {
    if (stored.isNull())
        return 1;
    bool ok = false;
    const double value = stored.toDouble(&ok);
    const std::optional<int16_t> state = ok ? numbers::toInt16(value) : std::nullopt;
    return state && *state >= 1 && *state <= 3 ? *state : 1;
}

} // namespace

void loadHealth(app::mdlGlobal& global, const QString& key, const HealthBoxes& boxes) {
    std::array<int, kHealthLevels> states;
    states.fill(1);
    const std::optional<qint64> id = app::characterKey(key);
    if (id && global.isConnected()) {
        auto rs = global.database->OpenRecordset(
            QStringLiteral("Select b.* from Char_Info a, Health b where b.Char_ID = a.Char_ID AND a.Char_ID = %1")
                .arg(*id));
        if (!rs->atEOF())
            for (int i = 0; i < kHealthLevels; ++i)
                states[i] = stateOf(rs->Fields(QStringLiteral("Health%1").arg(i)));
        rs->Close();
    }
    for (int i = 0; i < kHealthLevels; ++i)
        boxes[i]->setState(states[i]);
}

void storeHealth(app::mdlGlobal& global, const QString& key, const HealthBoxes& boxes) {
    const std::optional<qint64> id = app::characterKey(key);
    if (!id || !global.isConnected())
        return;
    auto rs = global.database->OpenRecordset(QStringLiteral("SELECT * FROM Health WHERE Char_ID = %1").arg(*id));
    if (!rs->atEOF()) {
        rs->Edit();
        for (int i = 0; i < kHealthLevels; ++i)
            rs->setField(QStringLiteral("Health%1").arg(i), boxes[i]->state());
        rs->Update();
    }
    rs->Close();
}

} // namespace ratings
