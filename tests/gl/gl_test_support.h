#pragma once

namespace reef {
class AquariumView;
}

namespace reef::test {

// The program's view, built with its frame before the tests run; its context is current.
AquariumView& View();

// Lets wxWidgets handle what is queued (sizes, paints, timer ticks).
void ProcessPendingEvents();

}  // namespace reef::test
