#pragma once

#include "app/Services.h"

#include <functional>

namespace app {

// Runs an event handler; an engine failure or any other exception is shown in a message box
// titled "Duskledger" and the program goes on. Returns false when the handler failed.
bool guarded(Services& services, const std::function<void()>& handler);

} // namespace app
