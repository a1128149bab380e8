#pragma once

#include "app/harness.h"

namespace reef {
class AquariumView;
}

namespace reef::test {

// The program's view, built with its frame before the tests run.
AquariumView& View();

using reef::ProcessPendingEvents;

}  // namespace reef::test
