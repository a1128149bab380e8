// The slideshow's picture decoding on any file: a picture comes out within the size it was asked
// to fit (the sides swapped back for a turned photo), or nothing does; never a crash, and never
// more memory than the pixel limit allows.
#include <wx/image.h>
#include <wx/init.h>

#include <string_view>

#include "fuzz_support.h"
#include "media/picture_decoder.h"
#include "media/picture_header.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static wxInitializer initializer;
    return initializer.IsOk() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace reef;
    const std::string path = fuzz::WriteScratchFile(
        "picture", std::string_view(reinterpret_cast<const char*>(data), size));
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    const wxImage image = DecodePicture(path, kWidth, kHeight);
    if (!image.IsOk()) {
        return 0;
    }
    FUZZ_CHECK(ReadPictureHeader(path).has_value());
    FUZZ_CHECK(image.GetWidth() > 0 && image.GetWidth() <= kWidth);
    FUZZ_CHECK(image.GetHeight() > 0 && image.GetHeight() <= kHeight);
    return 0;
}
