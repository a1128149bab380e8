#pragma once

#include <wx/app.h>

namespace reef {

// The application object: refuses to run beside its sibling program or a second copy of
// itself, then builds the main frame, whose view builds the scene and starts the frame loop.
// Command-line arguments are ignored.
class AquariumApp : public wxApp {
public:
    bool OnInit() override;
};

}  // namespace reef
