#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gl_test_support.h"
#include "settings/aquarium_settings.h"
#include "settings/ini_file.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

struct LightAndFog {
    float ambient[4];
    float diffuse[4];
    float density;
    bool lightOn;
    bool fogOn;
};

LightAndFog RenderAndReadBack() {
    test::View().RenderFrame();
    LightAndFog state{};
    glGetLightfv(GL_LIGHT1, GL_AMBIENT, state.ambient);
    glGetLightfv(GL_LIGHT1, GL_DIFFUSE, state.diffuse);
    glGetFloatv(GL_FOG_DENSITY, &state.density);
    state.lightOn = glIsEnabled(GL_LIGHT1);
    state.fogOn = glIsEnabled(GL_FOG);
    return state;
}

TEST(LightAndFog, StartUpLoadsTheSettingsFile) {
    // The suite runs with a fresh configuration folder: the load wrote every default.
    std::string path = GetSettingsFilePath();
    EXPECT_EQ(path, std::string(std::getenv("XDG_CONFIG_HOME")) + "/glassreef/ReefSet.ini");
    EXPECT_EQ(ReadIniString(path, "Aquarium Settings", "FOGNONGDU"), "25");
    EXPECT_EQ(ReadIniString(path, "Aquarium Settings", "LIGHTQIANGDU"), "0");
    EXPECT_EQ(ReadIniString(path, "Aquarium Settings", "YINLIANG"), "32767.5");
    EXPECT_EQ(g_settings.nLightLevel, 50);
    EXPECT_EQ(g_settings.nFogLevel, 25);
    EXPECT_EQ(g_settings.nShowTerra, 1);
    EXPECT_NE(ReadIniString(path, "Fish Number", "Fish14"), "");

    // ... and built the sand floor for the 1680 x 1050 tank: 108 rows, 50 columns.
    const SandFloorGrid& floor = test::View().SandFloor();
    EXPECT_EQ(floor.Width(), 108);
    EXPECT_EQ(floor.Depth(), 50);
    EXPECT_FLOAT_EQ(floor.Vertex(0, 0).x, -54.0f);
    EXPECT_FLOAT_EQ(floor.Vertex(0, 0).y, 2.0f);
    EXPECT_FLOAT_EQ(floor.Vertex(0, 0).z, -50.0f);
}

TEST(LightAndFog, EachFrameTakesTheCurrentSettings) {
    const AquariumSettings saved = g_settings;
    struct Case {
        int light, fog;
        float strength, density;
    };
    const Case cases[] = {
        {50, 25, 0.5f, 0.0f},      // the running program: no fog, so it stays off
        {0, 0, 1.0f, 0.0125f},     // full light, densest fog
        {100, 10, 0.0f, 0.0075f},  // light 1 gives nothing; light 1 itself stays enabled
    };
    for (const Case& c : cases) {
        g_settings.nLightLevel = c.light;
        g_settings.nFogLevel = c.fog;
        LightAndFog state = RenderAndReadBack();
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(state.ambient[i], c.strength) << c.light;
            EXPECT_FLOAT_EQ(state.diffuse[i], c.strength) << c.light;
        }
        EXPECT_FLOAT_EQ(state.ambient[3], 1.0f);
        EXPECT_FLOAT_EQ(state.diffuse[3], 1.0f);
        EXPECT_NEAR(state.density, c.density, 1e-7) << c.fog;
        EXPECT_TRUE(state.lightOn);
        EXPECT_EQ(state.fogOn, c.density != 0.0f) << c.fog;
    }
    g_settings = saved;
    RenderAndReadBack();
}

}  // namespace
}  // namespace reef
