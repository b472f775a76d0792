#include <gtest/gtest.h>
#include <sys/stat.h>

#include "JsonMapReader.h"
#include "Subprocess.h"
#include "TestFiles.h"
#include "TmxMapReader.h"

namespace {

const std::string kTileset =
    "<tileset firstgid='1' name='t' tilewidth='16' tileheight='16' columns='19'/>";
const std::string kMap =
    "orientation='orthogonal' width='3' height='2' tilewidth='16' tileheight='16'";

// A 3 x 2 map: the map on line 2, the tileset on 3, the layers from 4.
std::string Tmx(const std::string& layers, const std::string& tileset = kTileset,
                const std::string& map = kMap)
{
    return "<?xml version='1.0'?>\n<map " + map + ">\n" + tileset + "\n" + layers + "\n</map>\n";
}
std::string Layer(const std::string& data, const std::string& more = "")
{
    return "<layer name='t' width='3' height='2'" + more + ">" + data + "</layer>";
}
std::string Csv(const std::string& ids)
{
    return "<data encoding='csv'>" + ids + "</data>";
}
std::string Json(const std::string& layers)
{
    return R"({"type":"map","orientation":"orthogonal","width":3,"height":2,)"
           R"("tilewidth":16,"tileheight":16,)"
           R"("tilesets":[{"firstgid":1,"name":"t","tilewidth":16,"tileheight":16,"columns":19}],)"
           R"("layers":[)" +
           layers + "]}";
}
std::string JsonLayer(const std::string& fields)
{
    return R"({"type":"tilelayer","name":"t","width":3,"height":2,)" + fields + "}";
}
// The layer inside groups nested `depth` deep, in TMX or in JSON.
std::string Nested(int depth, bool json = false)
{
    std::string nested =
        json ? JsonLayer(R"("data":[1,0,3,0,20,190])") : Layer(Csv("1,0,3,0,20,190"));
    for (int i = 0; i < depth; ++i)
        nested = json ? R"({"type":"group","layers":[)" + nested + "]}"
                      : "<group>" + nested + "</group>";
    return nested;
}

// Writes the map and reads it by its extension: "" or the error, folder left out.
std::string Read(const TempDir& dir, const std::string& name, const std::string& text,
                 MapGrid* grid)
{
    WriteFile(dir.File(name), text);
    InputError error;
    const bool read = name.back() == 'x' ? ReadTmxMap(dir.File(name), grid, &error)
                                         : ReadJsonMap(dir.File(name), grid, &error);
    return read ? "" : error.Text().substr(error.file.rfind('/') + 1);
}

TEST(TiledMap, TopmostVisibleCellWinsAcrossGroupsAndHiddenLayersAreLeftOut)
{
    TempDir dir;
    MapGrid grid;
    EXPECT_EQ("", Read(dir, "m.tmx",
                       Tmx("<group><group>" + Layer(Csv("1,1,1,1,1,1")) + "</group></group>" +
                           Layer(Csv("0,2,0,0,0,3")) + "<objectgroup/><group visible='0'>" +
                           Layer(Csv("9,9,9,9,9,9")) + "</group>" +
                           Layer(Csv("8,8,8,8,8,8"), " visible='0'")),
                       &grid));
    EXPECT_EQ((std::vector<uint32_t>{1, 2, 1, 1, 1, 3}), grid.tiles);
    EXPECT_EQ((std::vector<std::string>{"hidden layer 't' left out", "hidden layer 't' left out"}),
              grid.notes);
}

TEST(TiledMap, RefusesByNameWhatALevelCannotShow)
{
    const std::string csv = Csv("1,0,3,0,20,190");
    std::string attributes = "<map";
    for (int i = 0; i < 64; ++i)
        attributes += " a" + std::to_string(i) + "='1'";
    std::string wide(2047, '0');
    for (size_t i = 1; i < wide.size(); i += 2)
        wide[i] = ',';
    const std::string chunk = "<chunk y='0' width='1' height='1'>1</chunk>";
    const struct {
        std::string name, text, message;
    } cases[] = {
        {"m.tmx", Tmx(Layer(Csv("1,2147483650,3,0,0,0"))),
         "m.tmx:4: layer 't', column 1, row 0: tile 2 is flipped or rotated; flyer draws tiles "
         "only as they are"},
        {"m.tmx", Tmx(Layer(Csv("1,191,3,0,0,0"))),
         "m.tmx:4: layer 't', column 1, row 0: global tile id 191 is not in the one 190-tile "
         "tileset"},
        {"m.tmx", Tmx(Layer(csv), kTileset + "\n<tileset firstgid='191' name='u'/>"),
         "m.tmx:4: a second tileset 'u': a level has one tileset, the 190 tiles of its bitmap"},
        {"m.tmx",
         Tmx(Layer(csv), "<tileset firstgid='1' tilewidth='32' tileheight='32' columns='19'/>"),
         "m.tmx:3: the tileset's tiles must be 16 x 16 in 19 columns, with no margin or spacing"},
        {"m.tmx",
         Tmx(Layer(csv), "<tileset firstgid='2' tilewidth='16' tileheight='16' columns='19'/>"),
         "m.tmx:3: the tileset must start at global tile id 1"},
        {"m.tmx", Tmx(Layer(csv), "<tileset firstgid='1' source='none.tsx'/>"),
         "none.tsx: cannot open: No such file or directory"},
        {"m.tmx", Tmx(Layer(csv), "<tileset firstgid='1' source='m.tmx'/>"),
         "m.tmx: not a Tiled tileset: the root element is not <tileset>"},
        {"m.tmx",
         Tmx(Layer(csv), kTileset,
             "orientation='isometric' width='3' height='2' tilewidth='16' tileheight='16'"),
         "m.tmx:2: orientation 'isometric' is not orthogonal; a level is a square grid"},
        {"m.tmx", Tmx(Layer(csv), kTileset, "width='3' height='2' tilewidth='32' tileheight='16'"),
         "m.tmx:2: the map's grid is 32 x 16 pixels, not the 16 x 16 of a level's tiles"},
        {"m.tmx", Tmx("<layer name='t' width='2' height='1'>" + Csv("1,2") + "</layer>"),
         "m.tmx:4: layer 't' is 2 x 1 cells, the map 3 x 2"},
        {"m.tmx", Tmx("<layer width='2000' height='2'>" + Csv("1") + "</layer>"),
         "m.tmx:4: a layer or chunk of 2000 x 2 cells; a level holds at most 1024 x 1024"},
        {"m.tmx", Tmx("", kTileset, "width='2000' height='2' tilewidth='16' tileheight='16'"),
         "m.tmx:2: the map is 2000 x 2 cells; a level holds at most 1024 x 1024"},
        {"m.tmx",
         Tmx(Layer(Csv("<chunk x='0' y='0' width='1' height='1'>1</chunk><chunk x='1024' y='0' "
                       "width='1' height='1'>1</chunk>")),
             kTileset, kMap + " infinite='1'"),
         "m.tmx:2: the map's tiles span 1025 x 1 cells; a level holds at most 1024 x 1024"},
        {"m.tmx", Tmx(Layer("")), "m.tmx:4: layer 't' has no <data>"},
        {"m.tmx",
         Tmx(Layer(Csv("<chunk x='-1099511627777' y='0' width='1' height='1'>1</chunk>")), kTileset,
             kMap + " infinite='1'"),
         "m.tmx:4: layer 't' has a chunk at -1099511627777,0, beyond any map Tiled makes"},
        {"m.tmx", Tmx(Nested(65)), "m.tmx:4: groups nested deeper than 64"},
        {"m.tmx", Tmx(Nested(64)), ""},
        {"m.tmj", Json(Nested(65, true)), "m.tmj: groups nested deeper than 64"},
        {"m.tmj", Json(Nested(64, true)), ""},
        {"m.tmx", attributes + "/>",
         "m.tmx:1: the map has no tileset; draw it with the level's 190-tile tileset"},
        {"m.tmx", attributes + " a64='1'/>",
         "m.tmx:1: an element with more than 64 attributes; no map needs so many"},
        {"m.tmx",
         Tmx("<layer name='t' width='1024' height='1'>" + Csv(wide) + "</layer>", kTileset,
             "width='1024' height='1'"),
         ""},
        {"m.tmx",
         Tmx(Layer(Csv("<chunk x='0'" + chunk.substr(6) + "<chunk x='1023'" + chunk.substr(6))),
             kTileset, kMap + " infinite='1'"),
         ""},
        {"m.tmx", Tmx("<group name='g' offsetx='8'>" + Layer(csv) + "</group>"),
         "m.tmx:4: layer 'g' has an offset; a level's tiles lie on the map's grid (Layer "
         "Properties, Offset: 0, 0)"},
        {"m.tmx", Tmx(Layer(Csv("1,0,3,0,20,190,5"))),
         "m.tmx:4: the layer's data holds more than the 6 cells it declares"},
        {"m.tmx", Tmx(Layer(Csv("1,0,3,0,20"))),
         "m.tmx:4: the layer's data holds 5 cells, not the 6 cells it declares"},
        {"m.tmx", Tmx(Layer(Csv("1,4294967296,3,0,20,190"))),
         "m.tmx:4: the layer's CSV data has something other than a tile id at cell 2"},
        {"m.tmj", Json(JsonLayer(R"("data":[1,4294967296,3,0,20,190])")),
         "m.tmj: layer 't': the layer's data has something other than a tile id at cell 2"},
        {"m.tmx", Tmx(Layer("<data encoding='base64'>AQAAAAAAAAADAAAAAAAAABQAAAC+AAAAA</data>")),
         "m.tmx:4: the layer's base64 data is damaged"},
        {"m.tmx", Tmx(Layer("<data encoding='base64'>AQAA=AAAAAAADAAAAAAAAABQAAAC+AAAA</data>")),
         "m.tmx:4: the layer's base64 data is damaged"},
        {"m.tmx",
         Tmx(Layer("<data encoding='base64' compression='zlib'>eJxjZIAAZigtAsT7gBgA</data>")),
         "m.tmx:4: the layer's zlib data does not hold exactly the 6 cells it declares"},
        {"m.tmx", Tmx(Layer("<data><tile gid='x'/></data>")),
         "m.tmx:4: a <tile> whose gid is not a tile id"},
        {"m.tmx", Tmx(Layer("<data encoding='base64' compression='lz4'>AQAA</data>")),
         "m.tmx:4: layer data compression 'lz4' is not one Tiled writes (zlib, gzip or zstd)"},
        {"m.tmx", Tmx(Layer("<data encoding='hex'>01</data>")),
         "m.tmx:4: layer data encoding 'hex' is not one Tiled writes (csv, base64 or XML)"},
        {"m.tmx", "<map>\n</mop>", "m.tmx:1: not well-formed XML: XML_ERROR_MISMATCHED_ELEMENT"},
        {"m.tmx", "<tileset/>", "m.tmx:1: not a Tiled map: the root element is not <map>"},
        {"m.tmj", Json(JsonLayer(R"("data":[1,0,3])")),
         "m.tmj: layer 't': the layer's data holds 3 cells, not the 6 cells it declares"},
        {"m.tmj", Json(JsonLayer(R"("offsety":-16.5,"data":[1,0,3,0,20,190])")),
         "m.tmj: layer 't' has an offset; a level's tiles lie on the map's grid (Layer Properties, "
         "Offset: 0, 0)"},
        {"m.tmj", "{\"type\":\"map\",\n\"width\":}", "m.tmj:2: not valid JSON (at byte 24)"},
        {"m.tmj", "[1]", "m.tmj: not a Tiled map: not a JSON object of type \"map\""},
        {"m.tmj", "{\"width\":1E999999}", "m.tmj: not valid JSON: a number too large for any map"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        MapGrid grid;
        EXPECT_EQ(c.message, Read(dir, c.name, c.text, &grid)) << c.text;
    }
}

// The level a map builds with tiles.bmp, at 10,20 unless told otherwise, or the failure.
std::string Build(const TempDir& dir, const std::string& map,
                  const std::vector<std::string>& more = {"--origin", "10,20"})
{
    std::vector<std::string> args{"build", "--tileset", dir.File("tiles.bmp"), "--map",
                                  map,     "-o",        dir.File("out.lvl")};
    args.insert(args.end(), more.begin(), more.end());
    const CommandResult r = FlyerLevel(args);
    return r.status == 0 ? ReadFile(dir.File("out.lvl")) : "failed: " + r.err;
}

TEST(TiledFiles, MapsTiledWroteBuildAsTiledShowsThem)
{
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("tiles.bmp"), {}));
    const std::string data = FLYER_TILED_DATA;
    WriteFile(dir.File("shown.csv"), "1,5,1,1,\n0,190,0,0,\n2,0,0,2\n");
    const std::string shown = Build(dir, dir.File("shown.csv"));
    EXPECT_EQ(shown, Build(dir, data + "/Groups.TMX"));  // zstd, tiles.tsx, a group, a hidden layer
    EXPECT_EQ(shown, Build(dir, data + "/minimized.tmx"));  // CSV on one line, embedded tileset
    WriteFile(dir.File("bom.csv"), "\xEF\xBB\xBF" + ReadFile(dir.File("shown.csv")));
    WriteFile(dir.File("bom.tmx"), "\xEF\xBB\xBF" + ReadFile(data + "/minimized.tmx"));
    EXPECT_EQ(shown, Build(dir, dir.File("bom.csv"))) << "after a UTF-8 byte order mark";
    EXPECT_EQ(shown, Build(dir, dir.File("bom.tmx")));
    const CommandResult exported =
        FlyerLevel({"export", dir.File("out.lvl"), "-o", dir.File("e.csv"), "--tileset-out",
                    dir.File("t.bmp")});
    EXPECT_EQ("wrote " + dir.File("e.csv") + "; build it again with --origin 10,20\n",
              exported.out);
    EXPECT_EQ(ReadFile(dir.File("shown.csv")), ReadFile(dir.File("e.csv")));
    EXPECT_EQ(ReadFile(dir.File("tiles.bmp")), ReadFile(dir.File("t.bmp")));
    const std::string groups = data + "/Groups.TMX", tiles = dir.File("tiles.bmp");
    const std::string g = dir.File("g.lvl");
    std::vector<std::string> build{"build", "--tileset", tiles, "--map", groups, "-o", g};
    EXPECT_EQ(groups + ": hidden layer 'notes' left out\n", FlyerLevel(build).out);
    build.insert(build.end(), {"--map-name", "my map"});
    EXPECT_EQ("my map: hidden layer 'notes' left out\n", FlyerLevel(build).out);
    WriteFile(dir.File("box.csv"), "7,0,0,0,0,0\n0,0,0,0,0,0\n0,0,0,0,0,0\n0,0,0,0,0,8\n");
    // Infinite, gzip: tiles at -3,-2 and 2,1, a hidden layer's at 64,64; tiles.tsj.
    EXPECT_EQ(Build(dir, dir.File("box.csv")), Build(dir, data + "/infinite.tmj"));
    // Tiled's CSV export of the layer 'top' of Groups.TMX.
    WriteFile(dir.File("top.csv"), "0,5,0,0\n0,190,0,0\n0,0,0,0\n");
    EXPECT_EQ(Build(dir, dir.File("top.csv")),
              Build(dir, data + "/top.csv", {"--tiled-csv", "--origin", "10,20"}));
    EXPECT_EQ("failed: flyer-level: " + data +
                  "/top.csv:1:1: negative tile number: Tiled's CSV export counts tiles "
                  "from 0 and writes -1 for an empty cell; read it with --tiled-csv\n",
              Build(dir, data + "/top.csv"));
    // Export writes the tileset beside the map; Tiled's saves of that map in every form of a
    // layer's data it writes (zstd in TMX is Groups.TMX's) build the level again at the origin
    // they keep.
    WriteFile(dir.File("m.csv"), "1,0,3\n0,20,190\n");
    const std::string level = Build(dir, dir.File("m.csv"));
    EXPECT_EQ("wrote " + dir.File("e.tmx") + ", " + dir.File("e.tsx") + " and " +
                  dir.File("e.bmp") + "; build it again with --tileset " + dir.File("e.bmp") + "\n",
              FlyerLevel({"export", dir.File("out.lvl"), "-o", dir.File("e.tmx")}).out);
    EXPECT_TRUE(ReadFile(dir.File("tiles.bmp")) == ReadFile(dir.File("e.bmp")));
    EXPECT_EQ(level, Build(dir, dir.File("e.tmx"), {}));
    for (const std::string saved : {"csv.tmx", "base64.tmx", "zlib.tmx", "gzip.tmx", "xml.tmx",
                                    "csv.tmj", "base64.tmj", "zlib.tmj", "zstd.tmj"})
        EXPECT_EQ(level, Build(dir, data + "/" + saved, {})) << saved;
}

// A Tiled map's property origin places the grid where --origin is not given: tile 5 at 10,20
// is the record 0x0501400A.
TEST(TiledFiles, ThePropertyOriginPlacesTheGridUnlessOriginIsGiven)
{
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("tiles.bmp"), {}));
    const auto tmx = [](const std::string& name, const std::string& value) {
        return "<map width='1' height='1' tilewidth='16' tileheight='16'><properties><property "
               "name='" +
               name + "' value='" + value + "'/></properties>" + kTileset +
               "<layer name='t' width='1' height='1'>" + Csv("5") + "</layer></map>";
    };
    const auto tmj = [](const std::string& value) {
        return R"({"type":"map","width":1,"height":1,"tilewidth":16,"tileheight":16,)"
               R"("tilesets":[{"firstgid":1,"tilewidth":16,"tileheight":16,"columns":19}],)"
               R"("layers":[{"type":"tilelayer","name":"t","width":1,"height":1,"data":[5]}],)"
               R"("properties":[{"name":"origin","type":"string","value":)" +
               value + "}]}";
    };
    const std::string wrong = "the map's property origin takes two cells 0 to 1023 as X,Y, not ";
    const std::string p = dir.File("p.tmx"), j = dir.File("p.tmj");
    const struct {
        std::string name, map;
        std::vector<std::string> args;
        uint32_t record;
        std::string error;
    } cases[] = {
        {"p.tmx", tmx("origin", "10,20"), {"--origin", "3,4"}, 0x05004003u, ""},
        {"p.tmx", tmx("start", "10,20"), {}, 0x05000000u, ""},
        {"p.tmx", tmx("origin", "1024,0"), {}, 0, p + ":1: " + wrong + "'1024,0'"},
        {"p.tmx", tmx("origin", "10,20,"), {"--map-name", "M"}, 0, "M: " + wrong + "'10,20,'"},
        {"p.tmj", tmj("1020"), {}, 0, j + ": " + wrong + "'1020'"},
        {"p.tmx", tmx("origin", "1023,1023"), {}, 0x053FF3FFu, ""},
    };
    for (const auto& c : cases) {
        WriteFile(dir.File(c.name), c.map);
        ASSERT_TRUE(WriteLevel(dir.File("want.lvl"), {c.record}));
        EXPECT_EQ(c.error.empty() ? ReadFile(dir.File("want.lvl"))
                                  : "failed: flyer-level: " + c.error + "\n",
                  Build(dir, dir.File(c.name), c.args))
            << c.map;
    }
}

// Export writes the origin into the map and, asked to, the tileset into it naming the image
// where it is; the map builds the level again byte for byte.
TEST(TiledFiles, ExportHoldsTheOriginAndEmbedsTheTileset)
{
    TempDir dir;
    const std::string l = dir.File("l.lvl"), x = dir.File("sub/x.tmx"), t = dir.File("t.bmp");
    // Tile 5 at column 10, row 20 and tile 7 at 16, 21.
    ASSERT_TRUE(WriteLevel(l, {0x0501400Au, 0x07015010u}));
    ASSERT_EQ(0, mkdir(dir.File("sub").c_str(), 0755));
    std::vector<std::string> args{"export", l, "-o", x, "--embed-tileset", "--tileset-image"};
    args.push_back(t);
    EXPECT_EQ("wrote " + x + " and " + t + "; build it again with --tileset " + t + "\n",
              FlyerLevel(args).out);
    EXPECT_EQ("wrote " + x + "; build it again with --tileset " + t + "\n", FlyerLevel(args).out)
        << "an image that holds the bitmap is named, not written again";
    EXPECT_EQ(R"(<?xml version="1.0" encoding="UTF-8"?>
<map version="1.8" orientation="orthogonal" renderorder="right-down" width="7" height="2" tilewidth="16" tileheight="16" infinite="0" nextlayerid="2" nextobjectid="1">
 <properties>
  <property name="origin" value="10,20"/>
 </properties>
 <tileset firstgid="1" name="tiles" tilewidth="16" tileheight="16" tilecount="190" columns="19">
  <image source="../t.bmp" width="304" height="160"/>
 </tileset>
 <layer id="1" name="tiles" width="7" height="2">
  <data encoding="csv">
5,0,0,0,0,0,0,
0,0,0,0,0,0,7
</data>
 </layer>
</map>
)",
              ReadFile(x));
    EXPECT_EQ("x.tmx\n", RunShell("ls " + dir.File("sub"), "").out);
    const std::string level = ReadFile(l);
    EXPECT_EQ(level.substr(0, level.size() - 8), ReadFile(t));
    EXPECT_EQ(
        0, FlyerLevel({"build", "--tileset", t, "--map", x, "-o", dir.File("again.lvl")}).status);
    EXPECT_EQ(level, ReadFile(dir.File("again.lvl")));
}

}  // namespace
