// Unscrambling on any bytes: it undoes scrambling, gives the same bytes however the file is cut
// into pieces, and an extraction through files gives exactly what unscrambling in memory does.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "resources/extraction.h"
#include "resources/resource_source.h"
#include "resources/scramble.h"

namespace {

class OneResource : public reef::ResourceSource {
public:
    OneResource(const std::uint8_t* data, std::size_t size) : m_bytes{data, size} {}
    std::optional<reef::ResourceBytes> Find(std::string_view type, int id) const override {
        if (type != "RCAD" || id != 10000) {
            return std::nullopt;
        }
        return m_bytes;
    }

private:
    reef::ResourceBytes m_bytes;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace reef;
    const std::vector<std::uint8_t> input(data, data + size);

    std::vector<std::uint8_t> whole = input;
    UnscrambleBytes(whole.data(), whole.size());
    std::vector<std::uint8_t> back = whole;
    ScrambleBytes(back.data(), back.size());
    FUZZ_CHECK(back == input);

    // In pieces whose lengths come from the input itself.
    std::vector<std::uint8_t> pieces = input;
    for (std::size_t at = 0; at < pieces.size();) {
        const std::size_t length = std::min<std::size_t>(1 + pieces[at] % 97, pieces.size() - at);
        UnscrambleBytes(pieces.data() + at, length, at);
        at += length;
    }
    FUZZ_CHECK(pieces == whole);

    // Extraction: the name decides the file's ending, the bytes are the unscrambled ones.
    const std::string& folder = fuzz::ScratchFolder();
    const std::string name = size % 2 == 0 ? "Music" : "fish0";
    auto where = ExtractResource(OneResource(data, size), 10000, folder, name);
    FUZZ_CHECK(where && *where == folder);
    const std::string file = fuzz::ReadScratchFile(UnscrambledFilePath(folder, name));
    FUZZ_CHECK(file == std::string(whole.begin(), whole.end()));
    DeleteFile(ScrambledFilePath(folder, name));
    DeleteFile(UnscrambledFilePath(folder, name));
    return 0;
}
