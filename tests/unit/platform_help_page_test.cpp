#include <gtest/gtest.h>

#include <filesystem>

#include "platform/help_page.h"
#include "test_env.h"

namespace reef {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

void Touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    test::WriteText(file.string(), "<html></html>");
}

TEST(HelpPage, FoundAboveTheProgramWhenInstalledAndThroughTheBuildTreesLink) {
    ScratchDir scratch;
    const fs::path dir = fs::canonical(scratch.path());
    const std::string fallback = "/usr/share/glassreef/help/index.html";
    // An installed tree: bin/ beside share/.
    Touch(dir / "usr/share/glassreef/help/index.html");
    EXPECT_EQ(HelpPageAddressFor((dir / "usr/bin/glassreef").string(), fallback),
              "file://" + (dir / "usr/share/glassreef/help/index.html").string());

    // A build tree: share/glassreef/help beside the program links to the source tree's copy,
    // and the address names the copy itself.
    Touch(dir / "src/docs/help/index.html");
    fs::create_directories(dir / "src/build/share/glassreef");
    fs::create_directory_symlink(dir / "src/docs/help", dir / "src/build/share/glassreef/help");
    EXPECT_EQ(HelpPageAddressFor((dir / "src/build/glassreef").string(), fallback),
              "file://" + (dir / "src/docs/help/index.html").string());

    // A program on its own, or one that cannot see where it runs: the installed place.
    EXPECT_EQ(HelpPageAddressFor((dir / "alone/glassreef").string(), fallback),
              "file://" + fallback);
    EXPECT_EQ(HelpPageAddressFor("", fallback), "file://" + fallback);
}

TEST(HelpPage, FileAddressesEncodeWhatAUrlWouldReadOtherwise) {
    const struct {
        const char* path;
        const char* address;
    } cases[] = {
        {"/usr/share/glassreef/help/index.html", "file:///usr/share/glassreef/help/index.html"},
        // A blank, a fragment mark, a percent sign and a query mark in folder names.
        {"/home/a b/#1/50%/?/x.html", "file:///home/a%20b/%231/50%25/%3F/x.html"},
        // UTF-8 goes byte by byte.
        {"/home/\xC3\xA9/x.html", "file:///home/%C3%A9/x.html"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileAddress(c.path), c.address) << c.path;
    }
}

}  // namespace
}  // namespace reef
