// The system's input and window events, delivered as window messages (WindowMessages.h).
#pragma once

#include "platform/WindowMessages.h"

#include <vector>

namespace platform {

// Takes the next message made from the system's events; false when none is waiting. Needs SDL's
// video subsystem, which the window brings up.
bool PeekPlatformMessage(CMessage& message);
// Puts taken messages back before the waiting ones, in their order.
void PutBackPlatformMessages(const std::vector<CMessage>& messages);

} // namespace platform
