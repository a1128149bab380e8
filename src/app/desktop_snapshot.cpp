#include "app/desktop_snapshot.h"

#include <sys/stat.h>
#include <unistd.h>
#include <wx/image.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "media/picture_decoder.h"
#include "media/picture_header.h"
#include "platform/portal_screenshot.h"
#include "platform/screen.h"
#include "platform/screen_capture.h"
#include "platform/screenshot_fit.h"
#include "resources/bitmap_writer.h"

namespace reef {
namespace {

// Long enough for a person to read and answer a desktop's one-time question whether programs
// may take screenshots; a portal that says nothing holds the start no longer than this.
constexpr std::chrono::seconds kPortalBound{30};

bool IsWaylandSession() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return (display != nullptr && display[0] != '\0') ||
           (type != nullptr && std::strcmp(type, "wayland") == 0);
}

// Decodes the portal's picture and writes the monitor's part of it to `path`. The portal's file
// is a picture of the user's screen that the user did not ask to keep, so it is removed once
// read, whatever its fate; a file that is not a plain file of this user is neither read nor
// removed.
bool WritePortalPicture(const std::string& picture, const wxRect& pixels, const std::string& path) {
    struct stat info {};
    if (lstat(picture.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != getuid()) {
        return false;
    }
    const auto header = ReadPictureHeader(picture);
    wxImage image;
    if (header && WithinPixelLimit(header->width, header->height)) {
        // Decoded at its own size: the fit below picks the monitor out of it first.
        image = DecodePicture(picture, header->width, header->height);
    }
    unlink(picture.c_str());
    if (!image.IsOk()) {
        return false;
    }
    const wxSize screen = XScreenSize();
    const auto fit =
        ScreenshotFit::Make(image.GetWidth(), image.GetHeight(), screen.x, screen.y,
                            PixelRect{pixels.x, pixels.y, pixels.width, pixels.height});
    if (!fit) {
        return false;
    }
    const unsigned char* rgb = image.GetData();
    return WritePrivateBitmap(path, fit->Width(), fit->Height(), [&](int y, std::uint8_t* row) {
        fit->Row(rgb, y, row);
        return true;
    });
}

}  // namespace

bool TakeDesktopSnapshot(const wxRect& pixels, const std::string& path) {
    if (CaptureScreenToBitmap(pixels.x, pixels.y, pixels.width, pixels.height, path)) {
        return true;
    }
    PortalScreenshot shot = RequestPortalScreenshot(kPortalBound);
    if (shot.answer == PortalAnswer::kPicture) {
        if (WritePortalPicture(shot.path, pixels, path)) {
            return true;
        }
        shot.answer = PortalAnswer::kFailed;
    }
    if (IsWaylandSession()) {
        std::fprintf(
            stderr,
            "GlassReefScr: the desktop could not be photographed on this Wayland "
            "session because the screenshot portal %s; the fish swim over a plain background.\n",
            DescribePortalAnswer(shot.answer));
    }
    return false;
}

}  // namespace reef
