#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <vector>

#include "../unit/bmp_builder.h"
#include "../unit/test_env.h"
#include "gl_test_support.h"
#include "resources/textures.h"
#include "view/aquarium_view.h"

namespace reef {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Write(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

struct Level0 {
    GLint width = 0, height = 0, internalFormat = 0;
};

// Level 0 of the bound texture as packed RGB rows.
std::vector<std::uint8_t> ReadRgb(const Level0& level) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(level.width * level.height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

Level0 ReadLevel0() {
    Level0 l;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &l.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &l.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &l.internalFormat);
    return l;
}

class Textures : public ::testing::Test {
protected:
    void SetUp() override { test::View().SetCurrent(*test::View().Context()); }
    test::ScratchDir m_dir;
};

TEST_F(Textures, A64x64SkinIsUploadedUnchangedWithItsColoursInPlace) {
    test::BmpBuilder b;
    b.width = 64;
    b.height = 64;
    // Blue, green, red in the file: pixel (x, y) has red x * 4, green y * 4, blue 200.
    Bytes file = b.Build([](int x, int y, int c) {
        return static_cast<std::uint8_t>(c == 0 ? 200 : c == 1 ? y * 4 : x * 4);
    });
    Write(m_dir / "skin.bmp", file);
    unsigned int texture = 0;
    LoadBmpTexture(m_dir / "skin.bmp", &texture);
    ASSERT_NE(texture, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<unsigned int>(bound), texture);
    Level0 level = ReadLevel0();
    EXPECT_EQ(level.width, 64);
    EXPECT_EQ(level.height, 64);

    std::vector<std::uint8_t> rgb = ReadRgb(level);
    const std::uint8_t* p = &rgb[(10 * 64 + 30) * 3];  // row 10 from the bottom, column 30
    EXPECT_EQ(p[0], 120);
    EXPECT_EQ(p[1], 40);
    EXPECT_EQ(p[2], 200);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glDeleteTextures(1, &texture);
}

TEST_F(Textures, OddSizesAreScaledToPowersOfTwo) {
    struct {
        int w, h, bits, tw, th;
    } cases[] = {
        {100, 60, 24, 128, 64}, {1000, 300, 24, 512, 512}, {5, 3, 32, 8, 4}, {1, 1, 24, 2, 2}};
    for (auto c : cases) {
        test::BmpBuilder b;
        b.width = c.w;
        b.height = c.h;
        b.bitsPerPixel = c.bits;
        Write(m_dir / "odd.bmp",
              b.Build([](int, int, int ch) { return static_cast<std::uint8_t>(60 * ch + 10); }));
        unsigned int texture = 0;
        LoadBmpTexture(m_dir / "odd.bmp", &texture);
        Level0 level = ReadLevel0();
        EXPECT_EQ(level.width, c.tw) << c.w << "x" << c.h;
        EXPECT_EQ(level.height, c.th) << c.w << "x" << c.h;
        // A uniform image stays uniform through the scaler: red 130, green 70, blue 10.
        std::vector<std::uint8_t> rgb = ReadRgb(level);
        ASSERT_EQ(rgb.size(), static_cast<std::size_t>(c.tw * c.th * 3));
        EXPECT_EQ(rgb[rgb.size() / 2 / 3 * 3 + 0], 130);
        EXPECT_EQ(rgb[rgb.size() / 2 / 3 * 3 + 2], 10);
        glDeleteTextures(1, &texture);
    }
}

TEST_F(Textures, AnUnusableFileGivesANameWithoutAnImage) {
    Write(m_dir / "junk.bmp", Bytes(300, 'B'));
    for (const std::string& path : {m_dir / "junk.bmp", m_dir / "missing.bmp", m_dir.path()}) {
        unsigned int texture = 0;
        LoadBmpTexture(path, &texture);
        EXPECT_NE(texture, 0u) << path;
        EXPECT_EQ(ReadLevel0().width, 0) << path;
        glDeleteTextures(1, &texture);
    }
}

TEST_F(Textures, TheSnapshotLoaderKeepsTheImageSizeOrMakesNoName) {
    // The rows go to OpenGL as the file holds them: 32-bit rows, and 24-bit rows of 999 bytes
    // padded to 1000.
    for (int bits : {32, 24}) {
        test::BmpBuilder b;
        b.width = 333;
        b.height = 7;
        b.bitsPerPixel = bits;
        // Stored blue, green, red: blue 77, green 30 a row, red the column.
        Write(m_dir / "shot.bmp", b.Build([](int x, int y, int c) {
            return static_cast<std::uint8_t>(c == 0 ? 77 : c == 1 ? 30 * y : c == 2 ? x % 256 : 9);
        }));
        unsigned int texture = 0;
        ASSERT_TRUE(LoadSnapshotTexture(m_dir / "shot.bmp", &texture)) << bits;
        Level0 level = ReadLevel0();
        EXPECT_EQ(level.width, 333);
        EXPECT_EQ(level.height, 7);
        GLint wrapS = 0, wrapT = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrapS);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
        EXPECT_EQ(wrapS, GL_CLAMP_TO_EDGE);  // ripples near the edges must not wrap around
        EXPECT_EQ(wrapT, GL_CLAMP_TO_EDGE);
        std::vector<std::uint8_t> rgb = ReadRgb(level);
        const std::uint8_t* last = &rgb[(6 * 333 + 300) * 3];  // the last row, column 300
        EXPECT_EQ(last[0], 300 % 256) << bits;
        EXPECT_EQ(last[1], 180) << bits;
        EXPECT_EQ(last[2], 77) << bits;
        glDeleteTextures(1, &texture);
    }

    unsigned int none = 12345;
    EXPECT_FALSE(LoadSnapshotTexture(m_dir / "missing.bmp", &none));
    EXPECT_FALSE(LoadSnapshotTexture("", &none));
    Write(m_dir / "junk.bmp", Bytes(100, 7));
    EXPECT_FALSE(LoadSnapshotTexture(m_dir / "junk.bmp", &none));
    EXPECT_EQ(none, 12345u);
}

}  // namespace
}  // namespace reef
