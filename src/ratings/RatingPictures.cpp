#include "ratings/RatingPictures.h"

#include <algorithm>

namespace ratings {

QString pictureName(Family family, int value) {
    const char* prefix = family == Family::Check ? "CHECK" : family == Family::GCheck ? "GCHECK" : "BOX";
    const int shown = std::clamp(value, 0, 10); // a stored value out of range shows the nearest picture
    return QString::fromLatin1(prefix) + (shown == 10 ? QStringLiteral("10") : QStringLiteral("0%1").arg(shown)) +
           QStringLiteral(".bmp");
}

} // namespace ratings
