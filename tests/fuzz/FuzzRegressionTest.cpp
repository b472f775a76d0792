#include <gtest/gtest.h>

#include <filesystem>

#include "FuzzTargets.h"
#include "TestFiles.h"

namespace {

// Every target replays its seeds and kept findings; under the sanitizers a fault in any of them
// fails the run.
TEST(FuzzInputs, EveryTargetTakesItsSeedsAndFindings)
{
    const struct {
        std::string name;
        int (*fuzz)(const uint8_t*, size_t);
    } targets[] = {
        {"level-records", FuzzLevelRecords},
        {"tileset-bitmap", FuzzTilesetBitmap},
        {"csv-map", FuzzCsvMap},
        {"tmx-map", FuzzTmxMap},
        {"level-export", FuzzLevelExport},
        {"json-map", FuzzJsonMap},
    };
    for (const auto& target : targets) {
        size_t replayed = 0;
        std::error_code missing;
        for (const std::string kind : {"/seeds/", "/found/"}) {
            const std::string folder = FLYER_FUZZ_INPUTS + kind + target.name;
            for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
                const std::string bytes = ReadFile(entry.path());
                const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
                EXPECT_EQ(0, target.fuzz(data, bytes.size())) << entry.path();
                ++replayed;
            }
        }
        EXPECT_GT(replayed, 0u) << target.name;
    }
}

}  // namespace
