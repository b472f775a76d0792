#include <dirent.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "TestFiles.h"

namespace {

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return files;
    while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.')
            files.push_back(folder + "/" + entry->d_name);
    closedir(dir);
    return files;
}

// Replays the seeds and every input kept from fuzzing through a target;
// under the sanitizer build a fault in any of them fails the run.
void Replay(const std::string& target, int (*fuzz)(const uint8_t*, size_t))
{
    const std::string root = FLYER_FUZZ_INPUTS;
    std::vector<std::string> inputs = FilesIn(root + "/seeds/" + target);
    const std::vector<std::string> found = FilesIn(root + "/found/" + target);
    inputs.insert(inputs.end(), found.begin(), found.end());
    ASSERT_FALSE(inputs.empty()) << target;
    for (const std::string& input : inputs) {
        const std::string bytes = ReadFile(input);
        SCOPED_TRACE(input);
        EXPECT_EQ(0, fuzz(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    }
}

TEST(FuzzInputs, LevelRecords) { Replay("level-records", FuzzLevelRecords); }
TEST(FuzzInputs, TilesetBitmap) { Replay("tileset-bitmap", FuzzTilesetBitmap); }
TEST(FuzzInputs, CsvMap) { Replay("csv-map", FuzzCsvMap); }
TEST(FuzzInputs, TmxMap) { Replay("tmx-map", FuzzTmxMap); }
TEST(FuzzInputs, JsonMap) { Replay("json-map", FuzzJsonMap); }

}  // namespace
