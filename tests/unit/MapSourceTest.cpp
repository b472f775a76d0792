#include <gtest/gtest.h>

#include "CsvMapReader.h"
#include "LevelBuilder.h"
#include "world/LevelRecord.h"

namespace {

MapGrid ReadCsvOk(const std::string& text)
{
    MapGrid grid;
    InputError error;
    EXPECT_TRUE(ReadCsvMap(text, "m.csv", 1, false, &grid, &error)) << error.Text();
    return grid;
}

std::string CsvError(const std::string& text, bool tiled = false)
{
    MapGrid grid;
    InputError error;
    EXPECT_FALSE(ReadCsvMap(text, "m.csv", 1, tiled, &grid, &error));
    return error.Text();
}

TEST(CsvMap, ReadsFlyersForm)
{
    const MapGrid grid = ReadCsvOk("0,1,2,\n3,0,190\n");
    EXPECT_EQ(3u, grid.width);
    EXPECT_EQ(2u, grid.height);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 3, 0, 190}), grid.tiles);
    const MapGrid spaced = ReadCsvOk("\r\n 4 , 5\r\n\n6,7\r\n");
    EXPECT_EQ((std::vector<uint32_t>{4, 5, 6, 7}), spaced.tiles);
    EXPECT_EQ(0u, ReadCsvOk("").height);
}

TEST(CsvMap, ReadsTiledsExportForm)
{
    // Tiled's File > Export As > CSV of the layer above: tiles counted
    // from 0, -1 for an empty cell, no comma at the ends of lines.
    MapGrid grid;
    InputError error;
    ASSERT_TRUE(ReadCsvMap("-1,0,1\n2,-1,189\n", "m.csv", 1, true, &grid, &error)) << error.Text();
    EXPECT_EQ(3u, grid.width);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 3, 0, 190}), grid.tiles);
}

TEST(CsvMap, NamesLineAndColumnOfEachFault)
{
    EXPECT_EQ("m.csv:2:3: bad tile number 'x'", CsvError("1,2\n3,x\n"));
    EXPECT_EQ("m.csv:1:3: tile 191 is beyond the tileset's 190", CsvError("1,191\n"));
    EXPECT_EQ("m.csv:2: row has 3 cells, the first row 2", CsvError("1,2\n3,4,5\n"));
    EXPECT_EQ("m.csv:1:3: empty field", CsvError("1,,2\n"));
    EXPECT_EQ("m.csv:1:1: negative tile number: Tiled's CSV export counts tiles from 0 and writes -1 for an "
              "empty cell; read it with --tiled-csv", CsvError("-1,2\n"));
    EXPECT_EQ("m.csv:1:1: number too large", CsvError("99999999999\n"));
    // Tiled writes flip flags into the signed id: 0x80000005 and 0x40000005.
    EXPECT_EQ("m.csv:1:3: tile 6 (Tiled's id 5) is flipped or rotated; flyer draws tiles only as they are",
              CsvError("1,-2147483643\n", true));
    EXPECT_EQ("m.csv:1:3: tile 6 (Tiled's id 5) is flipped or rotated; flyer draws tiles only as they are",
              CsvError("1,1073741829\n", true));
    EXPECT_EQ("m.csv:1:1: Tiled's tile id 190 is beyond the tileset's 190 tiles (0 to 189)", CsvError("190\n", true));
}

TEST(LevelBuilder, PlacesTheGridAtItsOriginRowByRow)
{
    MapGrid grid;
    grid.width = 2;
    grid.height = 2;
    grid.tiles = {1, 0, 0, 190};
    std::string level;
    InputError error;
    ASSERT_TRUE(BuildLevelBytes("BMxx", grid, 10, 20, &level, &error));
    ASSERT_EQ(4u + 8u, level.size());
    const auto* words = reinterpret_cast<const unsigned char*>(level.data()) + 4;
    EXPECT_EQ(0x0101400Au, ReadLittleEndian32(words));      // tile 1 at (10, 20)
    EXPECT_EQ(0xBE01500Bu, ReadLittleEndian32(words + 4));  // tile 190 at (11, 21)

    EXPECT_FALSE(BuildLevelBytes("BM", grid, 1023, 0, &level, &error));
    EXPECT_EQ("the 2 x 2 grid at origin 1023,0 reaches beyond the 1024 x 1024 map", error.message);
    EXPECT_TRUE(BuildLevelBytes("BM", grid, 1022, 1022, &level, &error));
}

}  // namespace
