#include <gtest/gtest.h>

#include "CsvMapReader.h"
#include "LevelBuilder.h"
#include "TestFiles.h"
#include "TmxMapReader.h"
#include "world/LevelRecord.h"

namespace {

MapGrid ReadCsvOk(const std::string& text)
{
    MapGrid grid;
    InputError error;
    EXPECT_TRUE(ReadCsvMap(text, "m.csv", CsvForm::kFlyer, &grid, &error)) << error.Text();
    return grid;
}

std::string CsvError(const std::string& text, bool tiled = false)
{
    MapGrid grid;
    InputError error;
    EXPECT_FALSE(ReadCsvMap(text, "m.csv", tiled ? CsvForm::kTiledLayer : CsvForm::kFlyer, &grid, &error));
    return error.Text();
}

TEST(CsvMap, ReadsTiledsExportForm)
{
    const MapGrid grid = ReadCsvOk("0,1,2,\n3,0,190\n");
    EXPECT_EQ(3u, grid.width);
    EXPECT_EQ(2u, grid.height);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 3, 0, 190}), grid.tiles);
    const MapGrid spaced = ReadCsvOk("\r\n 4 , 5\r\n\n6,7\r\n");
    EXPECT_EQ((std::vector<uint32_t>{4, 5, 6, 7}), spaced.tiles);
    EXPECT_EQ(0u, ReadCsvOk("").height);
}

TEST(CsvMap, NamesLineAndColumnOfEachFault)
{
    EXPECT_EQ("m.csv:2:3: bad tile number 'x'", CsvError("1,2\n3,x\n"));
    EXPECT_EQ("m.csv:1:3: tile 191 is beyond the tileset's 190", CsvError("1,191\n"));
    EXPECT_EQ("m.csv:2: row has 3 cells, the first row 2", CsvError("1,2\n3,4,5\n"));
    EXPECT_EQ("m.csv:1:3: empty field", CsvError("1,,2\n"));
    EXPECT_EQ("m.csv:1:1: bad tile number '-1'", CsvError("-1,2\n"));
    EXPECT_EQ("m.csv:1:1: number too large", CsvError("99999999999\n"));
    EXPECT_EQ("m.csv:1:3: tile 5 is flipped or rotated; flyer draws tiles only as they are",
              CsvError("1,2147483653\n", true));
    EXPECT_EQ("m.csv:1:1: global tile id 191 is not in the one 190-tile tileset", CsvError("191\n", true));
}

std::string Tmx(const std::string& tileset, const std::string& layer)
{
    return "<?xml version=\"1.0\"?>\n<map orientation=\"orthogonal\" width=\"2\" height=\"2\" "
           "tilewidth=\"16\" tileheight=\"16\">\n" + tileset + "\n" + layer + "\n</map>\n";
}

const std::string kTileset =
    "<tileset firstgid=\"1\" name=\"t\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"190\" columns=\"19\"/>";
const std::string kLayer = "<layer id=\"1\" width=\"2\" height=\"2\"><data encoding=\"csv\">\n1,2,\n3,0\n</data></layer>";

std::string TmxError(const std::string& text)
{
    TempDir dir;
    WriteFile(dir.File("m.tmx"), text);
    MapGrid grid;
    InputError error;
    EXPECT_FALSE(ReadTmxMap(dir.File("m.tmx"), &grid, &error));
    return error.Text().substr(dir.File("").size());
}

TEST(TmxMap, ReadsOneCsvLayer)
{
    TempDir dir;
    WriteFile(dir.File("m.tmx"), Tmx(kTileset, kLayer));
    MapGrid grid;
    InputError error;
    ASSERT_TRUE(ReadTmxMap(dir.File("m.tmx"), &grid, &error)) << error.Text();
    EXPECT_EQ((std::vector<uint32_t>{1, 2, 3, 0}), grid.tiles);
}

TEST(TmxMap, RefusesWhatItCannotMapFaithfully)
{
    EXPECT_EQ("m.tmx:1: not well-formed XML: XML_ERROR_MISMATCHED_ELEMENT", TmxError("<map>\n</mop>"));
    EXPECT_EQ("m.tmx:5:3: tile 2 is flipped or rotated; flyer draws tiles only as they are",
              TmxError(Tmx(kTileset, "<layer width=\"2\" height=\"2\"><data encoding=\"csv\">\n1,2147483650,\n3,0\n</data></layer>")));
    EXPECT_EQ("m.tmx:2: the map must use exactly one tileset, the 190-tile default",
              TmxError(Tmx(kTileset + kTileset, kLayer)));
    EXPECT_EQ("m.tmx:3: the tileset must start at global tile id 1",
              TmxError(Tmx("<tileset firstgid=\"5\" tilewidth=\"16\" tileheight=\"16\"/>", kLayer)));
    EXPECT_EQ("m.tmx:3: the tileset's tiles must be 16 x 16",
              TmxError(Tmx("<tileset firstgid=\"1\" tilewidth=\"32\" tileheight=\"32\"/>", kLayer)));
    EXPECT_EQ("m.tmx:3: external tilesets are not supported; embed the tileset in the map",
              TmxError(Tmx("<tileset firstgid=\"1\" source=\"t.tsx\"/>", kLayer)));
    EXPECT_EQ("m.tmx:4: the layer must be stored as CSV (Map Properties, Tile Layer Format: CSV)",
              TmxError(Tmx(kTileset, "<layer width=\"2\" height=\"2\"><data encoding=\"base64\">AAAA</data></layer>")));
    EXPECT_EQ("m.tmx:4: the layer's data is 2 x 1 cells, not the size the layer declares",
              TmxError(Tmx(kTileset, "<layer width=\"2\" height=\"2\"><data encoding=\"csv\">1,2</data></layer>")));
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
