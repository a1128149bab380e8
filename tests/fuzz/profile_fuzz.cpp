// The music volume read from the profile file on any bytes: no stop, a volume of 0 to 1000, and
// a valid entry ahead of any damage still counts.
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "settings/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int volume = reef::ProfileVolumeFromText(bytes);
    FUZZ_CHECK(volume >= 0 && volume <= 1000);
    FUZZ_CHECK(reef::ProfileVolumeFromText("[Settings]\nVolume=640\n" + std::string(bytes)) == 640);

    // The same through the file the program reads.
    const std::string folder = reef::fuzz::ScratchFolder();
    reef::fuzz::WriteScratchFile("GlassReefScr.conf", bytes);
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    FUZZ_CHECK(reef::ReadProfileVolume() == volume);
    return 0;
}
