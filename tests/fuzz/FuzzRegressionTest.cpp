#include <gtest/gtest.h>

#include <filesystem>

#include "FuzzTargets.h"
#include "TestFiles.h"

namespace {

// Replays a target's seeds and kept findings; under the sanitizers a fault in any of them fails the
// run.
void Replay(const std::string& target, int (*fuzz)(const uint8_t*, size_t))
{
    size_t replayed = 0;
    std::error_code missing;
    for (const std::string kind : {"/seeds/", "/found/"})
        for (const auto& entry :
             std::filesystem::directory_iterator(FLYER_FUZZ_INPUTS + kind + target, missing)) {
            const std::string bytes = ReadFile(entry.path());
            EXPECT_EQ(0, fuzz(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
                << entry.path();
            ++replayed;
        }
    EXPECT_GT(replayed, 0u) << target;
}

TEST(FuzzInputs, LevelRecords)
{
    Replay("level-records", FuzzLevelRecords);
}
TEST(FuzzInputs, TilesetBitmap)
{
    Replay("tileset-bitmap", FuzzTilesetBitmap);
}
TEST(FuzzInputs, CsvMap)
{
    Replay("csv-map", FuzzCsvMap);
}
TEST(FuzzInputs, TmxMap)
{
    Replay("tmx-map", FuzzTmxMap);
}
TEST(FuzzInputs, LevelExport)
{
    Replay("level-export", FuzzLevelExport);
}
TEST(FuzzInputs, JsonMap)
{
    Replay("json-map", FuzzJsonMap);
}

}  // namespace
