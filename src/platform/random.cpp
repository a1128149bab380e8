#include "platform/random.h"

namespace reef {

RandomGenerator& ProcessRandom() {
    static RandomGenerator generator;
    return generator;
}

}  // namespace reef
