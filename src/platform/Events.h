// The system's input and window events, delivered as window messages (WindowMessages.h).
#pragma once

#include "platform/WindowMessages.h"

namespace platform {

// Takes the next message made from the system's events; false when none is waiting. Needs SDL's
// video subsystem, which the window brings up.
bool PeekPlatformMessage(SMessage& message);

} // namespace platform
