// The settings load on a file of any bytes: the values it ends with keep their ranges, every key
// it handles can be read from the file afterwards, and a second load of the repaired file
// changes no byte and gives the same values.
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/random.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace reef;
    const std::string path = fuzz::WriteScratchFile(
        "ReefSet.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    ProcessRandom().SetState(1);

    AquariumSettings first{};
    LoadAquariumSettings(path, first);
    FUZZ_CHECK(first.nShowWater == 0 && first.nShowLight == 0 && first.nShowTerra == 1);
    FUZZ_CHECK(first.nBackFixed == 1 && first.crBackColor == 0 && first.nBackAutoGradual == 0);
    FUZZ_CHECK(first.nFogLevel >= 0 && first.nFogLevel <= 25);
    FUZZ_CHECK(first.nLightLevel == 50);
    for (int count : first.nFishCount) {
        FUZZ_CHECK(count <= 50);
    }
    for (const char* key : {"Show Water", "FOGNONGDU", "LIGHTQIANGDU", "VIEWSNEARFAR"}) {
        FUZZ_CHECK(!ReadIniString(path, "Aquarium Settings", key).empty());
    }
    for (int kind = 0; kind < 15; ++kind) {
        FUZZ_CHECK(!ReadIniString(path, "Fish Number", "Fish" + std::to_string(kind)).empty());
    }

    const std::string repaired = fuzz::ReadScratchFile(path);
    AquariumSettings second{};
    LoadAquariumSettings(path, second);
    FUZZ_CHECK(fuzz::ReadScratchFile(path) == repaired);
    FUZZ_CHECK(std::memcmp(&first, &second, sizeof first) == 0);
    return 0;
}
