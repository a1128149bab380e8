#include "settings/aquarium_settings.h"

#include <optional>
#include <string_view>
#include <vector>

#include "platform/random.h"
#include "resources/extraction.h"
#include "settings/ini_file.h"
#include "settings/ini_text.h"

namespace reef {

AquariumSettings g_settings{};

namespace {

constexpr const char* kSceneSection = "Aquarium Settings";
constexpr const char* kFishSection = "Fish Number";

// A fish count above this is used as this while the file keeps its text.
constexpr int kMaxFishPerKind = 50;

enum class Rule {
    kPlain,   // read when present; the default is written when missing
    kForced,  // always written with the default, whatever the file holds
    kFog,     // 0..25 kept; else 25 written and used
    kLight,   // 0..100 kept, else 0 written; the level used is 50 either way
};

struct KeyRule {
    const char* key;
    Rule rule;
    const char* defaultText;  // the text written; its atoi value is the field's value
    std::int32_t AquariumSettings::*field;
    float AquariumSettings::*rotation;  // for the two rotations, which keep only whole degrees
};

constexpr KeyRule Int(const char* key, Rule rule, const char* text,
                      std::int32_t AquariumSettings::*field) {
    return {key, rule, text, field, nullptr};
}

constexpr KeyRule Rotation(const char* key, float AquariumSettings::*rotation) {
    return {key, Rule::kPlain, "0", nullptr, rotation};
}

using S = AquariumSettings;

// In file order: a fresh file lists the keys in this order.
constexpr KeyRule kSceneKeys[] = {
    Int("Show Water", Rule::kForced, "0", &S::nShowWater),
    Int("Show Light", Rule::kForced, "0", &S::nShowLight),
    Int("Show Terra", Rule::kForced, "1", &S::nShowTerra),
    Int("FRONT GUDING", Rule::kPlain, "1", &S::nFrontFixed),
    Int("FRONTCOLOR", Rule::kPlain, "16777215", &S::crFrontColor),
    Int("FRONT MANJIANBIAN", Rule::kPlain, "0", &S::nFrontGradual),
    Int("FRONT COLOR1", Rule::kPlain, "16777215", &S::crFrontColor1),
    Int("FRONT COLOR2", Rule::kPlain, "16777215", &S::crFrontColor2),
    Int("FRONT AUTOJIANBIAN", Rule::kPlain, "0", &S::nFrontAutoGradual),
    Int("CHECK LOCKFORE", Rule::kPlain, "0", &S::nLockFront),
    Rotation("LOCKFORE ROT", &S::fFrontRotation),
    Int("BACK GUDING", Rule::kForced, "1", &S::nBackFixed),
    Int("BACKCOLOR", Rule::kForced, "0", &S::crBackColor),
    Int("BACK MANJIANBIAN", Rule::kPlain, "0", &S::nBackGradual),
    Int("BACK COLOR1", Rule::kPlain, "65280", &S::crBackColor1),
    Int("BACK COLOR2", Rule::kPlain, "0", &S::crBackColor2),
    Int("BACK AUTOJIANBIAN", Rule::kForced, "0", &S::nBackAutoGradual),
    Int("CHECK LOCKBACK", Rule::kPlain, "0", &S::nLockBack),
    Rotation("LOCKBACK ROT", &S::fBackRotation),
    // Written as "32767.5", read back by atoi as 32767.
    Int("YINLIANG", Rule::kPlain, "32767.5", &S::nVolume),
    Int("QIPAONUM", Rule::kPlain, "100", &S::nBubbleCount),
    Int("BACKGROUND", Rule::kPlain, "0", &S::nBackground),
    Int("FOGNONGDU", Rule::kFog, "25", &S::nFogLevel),
    Int("LIGHTQIANGDU", Rule::kLight, "0", &S::nLightLevel),
    Int("CHECK VIEWS", Rule::kPlain, "1", &S::nAutoViews),
    Int("VIEWSLEFTRIGHT", Rule::kPlain, "0", &S::nViewLeftRight),
    Int("VIEWSNEARFAR", Rule::kPlain, "0", &S::nViewNearFar),
};

constexpr int kLightLevelInUse = 50;

// The value a key ends with, given its text in the file; what the file must hold instead goes
// to `writes`.
int LoadSceneKey(const std::string& text, const KeyRule& rule, std::vector<IniEntry>& writes) {
    bool present = !text.empty();
    int value = AtoiLike(text);
    switch (rule.rule) {
        case Rule::kPlain:
            if (present) {
                return value;
            }
            break;
        case Rule::kForced:
            break;
        case Rule::kFog:
            if (present && value >= 0 && value <= 25) {
                return value;
            }
            break;
        case Rule::kLight:
            if (!present || value < 0 || value > 100) {
                writes.push_back({rule.key, rule.defaultText});
            }
            return kLightLevelInUse;
    }
    writes.push_back({rule.key, rule.defaultText});
    return AtoiLike(rule.defaultText);
}

}  // namespace

std::string GetSettingsFilePath() {
    // The folder ends in '/' (or is empty), so the name is joined to it directly, with no "./"
    // between them; without a folder the file is looked for in the current directory.
    return GetSystemFolder() + "ReefSet.ini";
}

void LoadAquariumSettings() {
    const std::string path = GetSettingsFilePath();
    RemoveStaleIniWrites(path);
    LoadAquariumSettings(path, g_settings);
}

void LoadAquariumSettings(const std::string& path, AquariumSettings& settings) {
    // One read of the file, and at most one replacement of it with every repair: the time is
    // that of one pass over the file, however large it is.
    const std::string text = ReadIniFileText(path);
    const IniSection scene = ParseIniSection(text, kSceneSection);
    const IniSection fish = ParseIniSection(text, kFishSection);
    std::vector<IniEntry> sceneWrites;
    std::vector<IniEntry> fishWrites;
    for (const KeyRule& rule : kSceneKeys) {
        int value = LoadSceneKey(scene.Value(rule.key), rule, sceneWrites);
        if (rule.rotation != nullptr) {
            settings.*rule.rotation = static_cast<float>(value);
        } else {
            settings.*rule.field = value;
        }
    }
    for (int kind = 0; kind < static_cast<int>(settings.nFishCount.size()); ++kind) {
        std::string key = "Fish" + std::to_string(kind);
        std::string value = fish.Value(key);
        int count;
        if (!value.empty()) {
            count = AtoiLike(value);
        } else {
            count = Rand() % 4;
            fishWrites.push_back({key, std::to_string(count)});
        }
        settings.nFishCount[kind] = count > kMaxFishPerKind ? kMaxFishPerKind : count;
    }
    // A file that cannot be written is no error: the values are used all the same.
    EditIniFile(path, [&](std::string_view current) -> std::optional<std::string> {
        std::optional<std::string> edited = SetIniValues(current, kSceneSection, sceneWrites);
        if (edited) {
            edited = SetIniValues(*edited, kFishSection, fishWrites);
        }
        return edited;
    });
}

}  // namespace reef
