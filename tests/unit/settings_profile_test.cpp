#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/profile.h"

namespace reef {
namespace {

TEST(Profile, VolumeComesFromTheProfileElse1000) {
    const std::string path = std::string(std::getenv("XDG_CONFIG_HOME")) + "/GlassReefScr.conf";
    struct Case {
        const char* content;  // nullptr: no profile file
        int volume;
    };
    const Case cases[] = {
        {nullptr, 1000},
        {"[Settings]\nVolume=640\n", 640},
        {"[Settings]\nVolume=loud\n", 1000},
        {"[Other]\nVolume=5\n", 1000},
        {"\x01\x02[[[==\n\n", 1000},
    };
    for (const Case& c : cases) {
        std::remove(path.c_str());
        if (c.content != nullptr) {
            std::FILE* f = std::fopen(path.c_str(), "w");
            ASSERT_NE(f, nullptr);
            std::fputs(c.content, f);
            std::fclose(f);
        }
        EXPECT_EQ(ReadProfileVolume(), c.volume) << (c.content ? c.content : "(none)");
    }
    // Reading never creates or changes the file.
    std::remove(path.c_str());
    ReadProfileVolume();
    EXPECT_EQ(std::fopen(path.c_str(), "r"), nullptr);
}

}  // namespace
}  // namespace reef
