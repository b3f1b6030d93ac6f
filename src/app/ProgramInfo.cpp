#include "app/Services.h"

namespace app {

int ProgramInfo::major() {
    return DUSKLEDGER_VERSION_MAJOR;
}

int ProgramInfo::minor() {
    return DUSKLEDGER_VERSION_MINOR;
}

int ProgramInfo::revision() {
    return DUSKLEDGER_VERSION_PATCH;
}

QString ProgramInfo::versionLine() {
    return QStringLiteral("Version %1.%2.%3").arg(major()).arg(minor()).arg(revision());
}

} // namespace app
