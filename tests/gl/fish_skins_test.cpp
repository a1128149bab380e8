#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../unit/test_env.h"
#include "fish/fish_kinds.h"
#include "gl_test_support.h"
#include "resources/extraction.h"
#include "resources/scramble.h"
#include "resources/textures.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

GLint BoundWidth() {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

// Extracts, loads and deletes a skin as scene start-up does; the loaded texture's width.
GLint LoadSkin(const std::string& folder, int id, bool* extracted) {
    const std::string name = "fish" + std::to_string(id - kFishSkinResourceBase);
    *extracted = ExtractResource(static_cast<std::uint16_t>(id), folder, name).has_value();
    unsigned int texture = 0;
    LoadBmpTexture(UnscrambledFilePath(folder, name), &texture);
    GLint width = BoundWidth();
    DeleteFile(ScrambledFilePath(folder, name));
    DeleteFile(UnscrambledFilePath(folder, name));
    glDeleteTextures(1, &texture);
    return width;
}

TEST(FishSkins, EveryKindHasA64PixelSkinAndAnAbsentIdGivesAnEmptyTexture) {
    test::View().SetCurrent(*test::View().Context());
    test::ScratchDir dir;
    const std::string folder = dir.path() + "/";
    for (int kind = 0; kind < kFishKindCount; ++kind) {
        bool extracted = false;
        EXPECT_EQ(LoadSkin(folder, kFishSkinResourceBase + kind, &extracted), 64) << kind;
        EXPECT_TRUE(extracted) << kind;
    }
    // One past the last kind: nothing to extract, the texture stays without an image, so a
    // fish drawn with it is untextured.
    bool extracted = true;
    EXPECT_EQ(LoadSkin(folder, kFishSkinResourceBase + kFishKindCount, &extracted), 0);
    EXPECT_FALSE(extracted);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace reef
