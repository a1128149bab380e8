#include "platform/portal_answer.h"

namespace reef {

const char* DescribePortalAnswer(PortalAnswer answer) {
    switch (answer) {
        case PortalAnswer::kPicture:
            return "answered with a picture";
        case PortalAnswer::kNoBus:
            return "cannot be reached without a session bus";
        case PortalAnswer::kNoPortal:
            return "is not running";
        case PortalAnswer::kNoInterface:
            return "offers no screenshots";
        case PortalAnswer::kRefused:
            return "refused or could not take the picture";
        case PortalAnswer::kCancelled:
            return "was cancelled";
        case PortalAnswer::kNoAnswer:
            return "did not answer in time";
        case PortalAnswer::kFailed:
            break;
    }
    return "gave no usable picture";
}

}  // namespace reef
