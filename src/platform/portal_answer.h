#pragma once

#include <string>

namespace reef {

// How the desktop portal answered a request for a picture of the screen.
enum class PortalAnswer {
    kPicture,      // a picture, in the local file `path`
    kNoBus,        // no session bus to ask (none named, or it cannot be reached)
    kNoPortal,     // no portal service on the bus
    kNoInterface,  // a portal without the Screenshot interface
    kRefused,      // the portal or the user said no
    kCancelled,    // the user, or the portal on their behalf, dismissed the request
    kNoAnswer,     // nothing came back within the bound
    kFailed,       // any other error, or an answer without a local picture
};

struct PortalScreenshot {
    PortalAnswer answer = PortalAnswer::kFailed;
    std::string path;  // with kPicture: the portal's file, which the caller owns and removes
};

// A few words for the answer, to end the sentence "the screenshot portal ...": "answered with a
// picture", "is not running", and so on.
const char* DescribePortalAnswer(PortalAnswer answer);

}  // namespace reef
