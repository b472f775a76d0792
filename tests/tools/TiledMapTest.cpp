#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>
#include <zstd.h>

#include <sstream>

#include "JsonMapReader.h"
#include "Subprocess.h"
#include "TestFiles.h"
#include "TmxMapReader.h"

namespace {

const std::string kTileset =
    "<tileset firstgid=\"1\" name=\"t\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"190\" columns=\"19\"/>";
const std::string kMap = "orientation=\"orthogonal\" width=\"3\" height=\"2\" tilewidth=\"16\" tileheight=\"16\"";
const std::vector<uint32_t> kCells{1, 0, 3, 0, 20, 190};

// A 3 x 2 map: the map on line 2, the tileset on 3, the layers from 4.
std::string Tmx(const std::string& layers, const std::string& tileset = kTileset, const std::string& map = kMap)
{
    return "<?xml version=\"1.0\"?>\n<map " + map + ">\n" + tileset + "\n" + layers + "\n</map>\n";
}
std::string Layer(const std::string& data, const std::string& more = "")
{
    return "<layer name=\"t\" width=\"3\" height=\"2\"" + more + ">" + data + "</layer>";
}
std::string Json(const std::string& layers, const std::string& map = "\"orientation\":\"orthogonal\",")
{
    return "{\"type\":\"map\"," + map + "\"width\":3,\"height\":2,\"tilewidth\":16,\"tileheight\":16,\"tilesets\":"
           "[{\"firstgid\":1,\"name\":\"t\",\"tilewidth\":16,\"tileheight\":16,\"columns\":19}],\"layers\":[" + layers + "]}";
}
std::string JsonLayer(const std::string& data)
{
    return "{\"type\":\"tilelayer\",\"name\":\"t\",\"width\":3,\"height\":2," + data + "}";
}

// Reads a map file by its extension; the error's text without the folder.
bool ReadMap(const TempDir& dir, const std::string& name, const std::string& text, MapGrid* grid, std::string* error)
{
    WriteFile(dir.File(name), text);
    InputError fault;
    const bool read = name.find(".tmx") != std::string::npos ? ReadTmxMap(dir.File(name), grid, &fault)
                                                               : ReadJsonMap(dir.File(name), grid, &fault);
    *error = fault.Text().substr(fault.file.rfind('/') + 1);
    return read;
}

TEST(TiledMap, ReadsEveryLayerFormatTiledWrites)
{
    const std::string formats[] = {
        Tmx(Layer("<data encoding=\"csv\">\n1,0,3,\n0,20,190\n</data>")),
        Tmx(Layer("<data encoding=\"csv\">1,0,3,0,20,190</data>")),
        Tmx(Layer("<data><tile gid=\"1\"/><tile/><tile gid=\"3\"/><tile/><tile gid=\"20\"/><tile gid=\"190\"/></data>")),
        Tmx(Layer("<data encoding=\"base64\">\n   AQAAAAAAAAADAAAAAAAAABQAAAC+AAAA\n  </data>")),
        Tmx(Layer("<data encoding=\"base64\" compression=\"zlib\">eJxjZIAAZigtAsT7gBgAA/gA1w==</data>")),
        Tmx(Layer("<data encoding=\"base64\" compression=\"gzip\">H4sIAAAAAAACA2NkgABmKC0CxPuAGACNHXAOGAAAAA==</data>")),
        Tmx(Layer("<data encoding=\"base64\" compression=\"zstd\">KLUv/QRYpQAAYAEAAwAUAAAAvgAAAAIAYOABYAF+x+6f</data>")),
        Json(JsonLayer("\"data\":[1,0,3,0,20,190]")),
        Json(JsonLayer("\"encoding\":\"base64\",\"compression\":\"zlib\",\"data\":\"eJxjZIAAZigtAsT7gBgAA/gA1w==\"")),
    };
    TempDir dir;
    for (const std::string& text : formats) {
        MapGrid grid;
        std::string error;
        ASSERT_TRUE(ReadMap(dir, text[0] == '<' ? "m.tmx" : "m.tmj", text, &grid, &error)) << error << "\n" << text;
        EXPECT_EQ(3u, grid.width);
        EXPECT_EQ(kCells, grid.tiles) << text;
    }
}

TEST(TiledMap, TopmostVisibleCellWinsAcrossGroupsAndHiddenLayersAreLeftOut)
{
    const std::string text = Tmx(
        "<group name=\"a\"><group name=\"b\">" + Layer("<data encoding=\"csv\">1,1,1,1,1,1</data>") + "</group></group>" +
        Layer("<data encoding=\"csv\">0,2,0,0,0,3</data>") + "<objectgroup name=\"o\"/>" +
        "<group name=\"c\" visible=\"0\">" + Layer("<data encoding=\"csv\">9,9,9,9,9,9</data>") + "</group>" +
        Layer("<data encoding=\"csv\">8,8,8,8,8,8</data>", " visible=\"0\""));
    TempDir dir;
    MapGrid grid;
    std::string error;
    ASSERT_TRUE(ReadMap(dir, "m.tmx", text, &grid, &error)) << error;
    EXPECT_EQ((std::vector<uint32_t>{1, 2, 1, 1, 1, 3}), grid.tiles);
    EXPECT_EQ((std::vector<std::string>{"hidden layer 't' left out", "hidden layer 't' left out"}), grid.notes);
}

TEST(TiledMap, InfiniteMapIsTheBoundingBoxOfItsVisibleTiles)
{
    const std::string chunks = "<chunk x=\"-2\" y=\"-2\" width=\"2\" height=\"2\">0,0,0,7</chunk>"
                               "<chunk x=\"2\" y=\"0\" width=\"2\" height=\"2\">0,0,0,8</chunk>";
    const std::string text =
        Tmx(Layer("<data encoding=\"csv\">" + chunks + "</data>") +
                Layer("<data encoding=\"csv\"><chunk x=\"90\" y=\"90\" width=\"1\" height=\"1\">5</chunk></data>",
                      " visible=\"0\""),
            kTileset, kMap + " infinite=\"1\"");
    TempDir dir;
    MapGrid grid;
    std::string error;
    ASSERT_TRUE(ReadMap(dir, "m.tmx", text, &grid, &error)) << error;
    // Cells (-1,-1) and (3,1): a 5 x 3 box from (-1,-1).
    EXPECT_EQ(5u, grid.width);
    EXPECT_EQ((std::vector<uint32_t>{7, 0, 0, 0, 0, /**/ 0, 0, 0, 0, 0, /**/ 0, 0, 0, 0, 8}), grid.tiles);
}

TEST(TiledMap, ExternalTilesetsAreFoundBesideTheMap)
{
    TempDir dir;
    RunCommand({"mkdir", dir.File("sets")}, Subprocess::Options());
    WriteFile(dir.File("sets/t.tsx"), "<?xml version=\"1.0\"?>\n<tileset name=\"t\" tilewidth=\"16\" tileheight=\"16\" "
                                      "columns=\"19\"><image source=\"t.bmp\" width=\"304\" height=\"160\"/></tileset>\n");
    WriteFile(dir.File("sets/t.tsj"), "{\"name\":\"t\",\"tilewidth\":16,\"tileheight\":16,\"columns\":19}");
    const std::string layer = Layer("<data encoding=\"csv\">1,0,3,0,20,190</data>");
    for (const char* source : {"sets/t.tsx", "sets/t.tsj"}) {
        MapGrid grid;
        std::string error;
        EXPECT_TRUE(ReadMap(dir, "m.tmx", Tmx(layer, std::string("<tileset firstgid=\"1\" source=\"") + source + "\"/>"), &grid, &error))
            << error;
        EXPECT_EQ(kCells, grid.tiles);
    }
    std::string json = Json(JsonLayer("\"data\":[1,0,3,0,20,190]"));
    json.replace(json.find("{\"firstgid\""), json.find("}]") - json.find("{\"firstgid\""), "{\"firstgid\":1,\"source\":\"sets/t.tsx\"");
    MapGrid grid;
    std::string error;
    EXPECT_TRUE(ReadMap(dir, "m.tmj", json, &grid, &error)) << error;
    EXPECT_EQ(kCells, grid.tiles);
}

TEST(TiledMap, RefusesByNameWhatALevelCannotShow)
{
    const std::string csv = "<data encoding=\"csv\">1,0,3,0,20,190</data>";
    const std::string other = "<tileset firstgid=\"191\" name=\"u\" tilewidth=\"16\" tileheight=\"16\" columns=\"19\"/>";
    const std::string flipped = "layer 't', column 1, row 0: tile 2 is flipped or rotated; flyer draws tiles only as they are";
    const std::string geometry = "the tileset's tiles must be 16 x 16 in 19 columns, with no margin or spacing";
    const struct { std::string name, text, message; } cases[] = {
        {"m.tmx", Tmx(Layer("<data encoding=\"csv\">1,2147483650,3,0,0,0</data>")), "m.tmx:4: " + flipped},
        {"m.tmx", Tmx(Layer("<data encoding=\"csv\">1,1073741826,3,0,0,0</data>")), "m.tmx:4: " + flipped},
        {"m.tmx", Tmx(Layer("<data encoding=\"csv\">1,191,3,0,0,0</data>")),
         "m.tmx:4: layer 't', column 1, row 0: global tile id 191 is not in the one 190-tile tileset"},
        {"m.tmx", Tmx(Layer(csv), kTileset + "\n" + other),
         "m.tmx:4: a second tileset 'u': a level has one tileset, the 190 tiles of its bitmap"},
        {"m.tmx", Tmx(Layer(csv), "<tileset firstgid=\"1\" tilewidth=\"32\" tileheight=\"32\" columns=\"19\"/>"), "m.tmx:3: " + geometry},
        {"m.tmx", Tmx(Layer(csv), "<tileset firstgid=\"1\" tilewidth=\"16\" tileheight=\"16\" columns=\"20\"/>"), "m.tmx:3: " + geometry},
        {"m.tmx", Tmx(Layer(csv), "<tileset firstgid=\"1\" tilewidth=\"16\" tileheight=\"16\" columns=\"19\" spacing=\"1\"/>"),
         "m.tmx:3: " + geometry},
        {"m.tmx", Tmx(Layer(csv), "<tileset firstgid=\"2\" tilewidth=\"16\" tileheight=\"16\" columns=\"19\"/>"),
         "m.tmx:3: the tileset must start at global tile id 1"},
        {"m.tmx", Tmx(Layer(csv), ""), "m.tmx:2: the map has no tileset; draw it with the level's 190-tile tileset"},
        {"m.tmx", Tmx(Layer(csv), "<tileset firstgid=\"1\" source=\"none.tsx\"/>"), "none.tsx: cannot open: No such file or directory"},
        {"m.tmx", Tmx(Layer(csv), kTileset, "orientation=\"isometric\" width=\"3\" height=\"2\" tilewidth=\"16\" tileheight=\"16\""),
         "m.tmx:2: orientation 'isometric' is not orthogonal; a level is a square grid"},
        {"m.tmx", Tmx(Layer(csv), kTileset, "width=\"3\" height=\"2\" tilewidth=\"32\" tileheight=\"16\""),
         "m.tmx:2: the map's grid is 32 x 16 pixels, not the 16 x 16 of a level's tiles"},
        {"m.tmx", Tmx("<layer name=\"t\" width=\"2\" height=\"1\"><data encoding=\"csv\">1,2</data></layer>"),
         "m.tmx:4: layer 't' is 2 x 1 cells, the map 3 x 2"},
        {"m.tmx", Tmx("<layer name=\"t\" width=\"2000\" height=\"2\"><data encoding=\"csv\">1</data></layer>"),
         "m.tmx:4: a layer or chunk of 2000 x 2 cells; a level holds at most 1024 x 1024"},
        {"m.tmx", Tmx(Layer("<data encoding=\"csv\">1,0,3,0,20,190,5</data>")),
         "m.tmx:4: the layer's data holds more than the 6 cells it declares"},
        {"m.tmx", Tmx(Layer("<data encoding=\"csv\">1,0,3,0,20</data>")), "m.tmx:4: the layer's data holds 5 cells, not the 6 cells it declares"},
        {"m.tmx", Tmx(Layer("<data encoding=\"csv\">1,x,3,0,20,190</data>")),
         "m.tmx:4: the layer's CSV data has something other than a tile id at cell 2"},
        {"m.tmx", Tmx(Layer("<data encoding=\"base64\" compression=\"zlib\">eJxjZIAAZigtAsT7gJgViAEHaADc</data>")),
         "m.tmx:4: the layer's zlib data does not hold exactly the 6 cells it declares"},
        {"m.tmx", Tmx(Layer("<data encoding=\"base64\" compression=\"zstd\">AQAA!AAA</data>")), "m.tmx:4: the layer's base64 data is damaged"},
        {"m.tmx", Tmx(Layer("<data encoding=\"base64\" compression=\"lz4\">AQAA</data>")),
         "m.tmx:4: layer data compression 'lz4' is not one Tiled writes (zlib, gzip or zstd)"},
        {"m.tmx", "<map>\n</mop>", "m.tmx:1: not well-formed XML: XML_ERROR_MISMATCHED_ELEMENT"},
        {"m.tmj", Json(JsonLayer("\"data\":[1,2147483650,3,0,0,0]")), "m.tmj: " + flipped},
        {"m.tmj", Json(JsonLayer("\"data\":[1,\"2\",3,0,0,0]")),
         "m.tmj: layer 't': the layer's data has something other than a tile id at cell 2"},
        {"m.tmj", Json(JsonLayer("\"data\":[1,0,3]")), "m.tmj: layer 't': the layer's data holds 3 cells, not the 6 cells it declares"},
        {"m.tmj", Json(JsonLayer("\"data\":[1,0,3,0,20,190]"), "\"orientation\":\"hexagonal\","),
         "m.tmj: orientation 'hexagonal' is not orthogonal; a level is a square grid"},
        {"m.tmj", "{\"type\":\"map\",\n\"width\":}", "m.tmj:2: not valid JSON (at byte 24)"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        MapGrid grid;
        std::string error;
        EXPECT_FALSE(ReadMap(dir, c.name, c.text, &grid, &error)) << c.text;
        EXPECT_EQ(c.message, error) << c.text;
    }
}

CommandResult Tool(std::vector<std::string> args)
{
    args.insert(args.begin(), FLYER_LEVEL_BINARY);
    return RunCommand(args, Subprocess::Options());
}

// The level a map builds with the folder's test tileset at origin 10,20:
// its records in hex after that tileset, or the failure.
std::string Build(const TempDir& dir, const std::string& map, const std::vector<std::string>& more = {})
{
    std::vector<std::string> args{"build", "--tileset", dir.File("tiles.bmp"), "--map", map, "-o", dir.File("out.lvl"), "--origin", "10,20"};
    args.insert(args.end(), more.begin(), more.end());
    const CommandResult r = Tool(args);
    const std::string level = ReadFile(dir.File("out.lvl")), tileset = ReadFile(dir.File("tiles.bmp"));
    if (r.status != 0 || level.compare(0, tileset.size(), tileset) != 0)
        return "failed: " + r.err;
    std::string hex;
    for (size_t i = tileset.size(); i < level.size(); ++i)
        hex += "0123456789abcdef"[static_cast<uint8_t>(level[i]) >> 4] + std::string(1, "0123456789abcdef"[level[i] & 15]);
    return hex;
}

TEST(TiledFiles, MapsTiledWroteBuildAsTiledShowsThem)
{
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("tiles.bmp"), {}));
    const std::string data = FLYER_TILED_DATA;
    WriteFile(dir.File("shown.csv"), "1,5,1,1\n0,190,0,0\n2,0,0,2\n");
    const std::string shown = Build(dir, dir.File("shown.csv"));
    EXPECT_EQ(shown, Build(dir, data + "/groups.tmx"));     // zstd, external tileset, a group, a hidden layer
    EXPECT_EQ(shown, Build(dir, data + "/minimized.tmx"));  // CSV on one line, embedded tileset
    RunShell("cp " + data + "/groups.tmx " + dir.File("G.TMX") + " && cp " + data + "/tiles.tsx " + dir.Path(), "");
    EXPECT_EQ(shown, Build(dir, dir.File("G.TMX")));
    EXPECT_EQ(dir.File("G.TMX") + ": hidden layer 'notes' left out\n",
              Tool({"build", "--tileset", dir.File("tiles.bmp"), "--map", dir.File("G.TMX"), "-o", dir.File("g.lvl")}).out);

    WriteFile(dir.File("box.csv"), "7,0,0,0,0,0\n0,0,0,0,0,0\n0,0,0,0,0,0\n0,0,0,0,0,8\n");
    EXPECT_EQ(Build(dir, dir.File("box.csv")), Build(dir, data + "/infinite.tmj"));  // gzip chunks at -3,-2 and 2,1

    // Tiled's CSV export of the layer 'top' of groups.tmx.
    WriteFile(dir.File("top.csv"), "0,5,0,0\n0,190,0,0\n0,0,0,0\n");
    EXPECT_EQ(Build(dir, dir.File("top.csv")), Build(dir, data + "/top.csv", {"--tiled-csv"}));
    EXPECT_EQ("failed: flyer-level: " + data + "/top.csv:1:1: negative tile number: Tiled's CSV export counts tiles "
              "from 0 and writes -1 for an empty cell; read it with --tiled-csv\n", Build(dir, data + "/top.csv"));
}

std::string Base64(const std::string& bytes)
{
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t n = 0;
        for (size_t j = 0; j < 3; ++j)
            n = n << 8 | (i + j < bytes.size() ? static_cast<uint8_t>(bytes[i + j]) : 0u);
        for (size_t j = 0; j < 4; ++j)
            out += j <= bytes.size() - i ? kDigits[(n >> (18 - 6 * j)) & 63] : '=';
    }
    return out;
}

std::string Pack(const std::string& raw, const std::string& how)
{
    std::string out(ZSTD_compressBound(raw.size()) + 64, '\0');
    if (how == "zstd") {
        out.resize(ZSTD_compress(&out[0], out.size(), raw.data(), raw.size(), 3));
        return out;
    }
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, how == "gzip" ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    z.avail_in = static_cast<uInt>(raw.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

TEST(TiledRoundTrip, EveryMapTiledSavesFromAnExportBuildsTheSameLevel)
{
    if (RunShell("command -v tiled", "").status != 0)
        GTEST_SKIP() << "tiled is not installed";
    TempDir dir;
    ASSERT_TRUE(WriteLevel(dir.File("tiles.bmp"), {}));
    WriteFile(dir.File("m.csv"), "0,5,0,\n7,0,190,\n1,0,0\n");
    const std::string level = Build(dir, dir.File("m.csv"));
    RunCommand({"mv", dir.File("out.lvl"), dir.File("a.lvl")}, Subprocess::Options());
    const CommandResult exported = Tool({"export", dir.File("a.lvl"), "-o", dir.File("e.tmx")});
    ASSERT_EQ(0, exported.status) << exported.err;
    EXPECT_NE(std::string::npos, exported.out.find("--tileset " + dir.File("e.bmp") + " --origin 10,20\n"));
    EXPECT_EQ(ReadFile(dir.File("tiles.bmp")), ReadFile(dir.File("e.bmp")));

    // The exported layer in every format Tiled writes, for Tiled to re-save.
    const std::string tmx = ReadFile(dir.File("e.tmx"));
    const size_t open = tmx.find("<data"), text = tmx.find('>', open) + 1, close = tmx.find("</data>");
    std::string raw, tiles;
    std::istringstream csv(tmx.substr(text, close - text));
    for (std::string id; std::getline(csv, id, ',');) {
        const uint32_t gid = static_cast<uint32_t>(std::stoul(id));
        raw.append({static_cast<char>(gid), 0, 0, 0});
        tiles += "<tile gid=\"" + std::to_string(gid) + "\"/>";
    }
    const std::string b64 = "<data encoding=\"base64\"";
    const struct { std::string data, mark; } formats[] = {
        {tmx.substr(open, close - open), "encoding=\"csv\""},
        {"<data>" + tiles, "<tile gid"},
        {b64 + ">" + Base64(raw), "encoding=\"base64\">"},
        {b64 + " compression=\"zlib\">" + Base64(Pack(raw, "zlib")), "compression=\"zlib\""},
        {b64 + " compression=\"gzip\">" + Base64(Pack(raw, "gzip")), "compression=\"gzip\""},
        {b64 + " compression=\"zstd\">" + Base64(Pack(raw, "zstd")), "compression=\"zstd\""},
    };
    for (const auto& format : formats) {
        WriteFile(dir.File("f.tmx"), tmx.substr(0, open) + format.data + tmx.substr(close));
        for (const std::string option : {"--export-map", "--embed-tilesets", "--minimize"}) {
            for (const std::string& saved : {dir.File("s.tmx"), dir.File("s.tmj")}) {
                const CommandResult tiled = RunCommand({"env", "QT_QPA_PLATFORM=offscreen", "tiled", "--export-map",
                                                        option, dir.File("f.tmx"), saved}, Subprocess::Options());
                ASSERT_EQ(0, tiled.status) << tiled.err;
                if (saved.back() == 'x') {
                    EXPECT_NE(std::string::npos, ReadFile(saved).find(format.mark)) << ReadFile(saved);
                }
                EXPECT_EQ(level, Build(dir, saved)) << format.mark << " " << option << " " << saved;
            }
        }
    }
    ASSERT_EQ(0, RunShell("QT_QPA_PLATFORM=offscreen tiled --export-map csv " + dir.File("e.tmx") + " " + dir.File("t.csv"), "").status);
    EXPECT_EQ(level, Build(dir, dir.File("t.csv"), {"--tiled-csv"}));
}

TEST(LevelPicture, DrawsTilesUprightEmptyCellsDarkAndTheStartCell)
{
    TempDir dir;
    // Tile 1 at column 500, row 500 and tile 2 at column 520, row 505.
    ASSERT_TRUE(WriteLevel(dir.File("l.lvl"), {0x011F41F4u, 0x021F9208u}));
    ASSERT_EQ(0, Tool({"render", dir.File("l.lvl"), "-o", dir.File("p.png"), "--scale", "2"}).status);
    // The used cells and the start (512, 511), 8 cells around: columns
    // 492..528, rows 492..519.
    EXPECT_EQ("74 56", RunShell("identify -format '%w %h' " + dir.File("p.png"), "").out);
    std::string rgb = RunShell("convert " + dir.File("p.png") + " -depth 8 rgb:-", "").out;
    auto at = [&](size_t x, size_t y) {
        const auto* p = reinterpret_cast<const uint8_t*>(rgb.data()) + (y * 74 + x) * 3;
        return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
    };
    ASSERT_EQ(74u * 56u * 3u, rgb.size());
    EXPECT_EQ(TestTileColour(1), at(16, 16));
    EXPECT_EQ(TestTileLowerColour(TestTileColour(1)), at(17, 17));
    EXPECT_EQ(TestTileColour(2), at(57, 26));
    EXPECT_LT(at(0, 0) & 0xC0C0C0u, 1u) << "empty cells are dark";
    EXPECT_EQ(0xC0C000u, at(40, 38) & 0xC0C0C0u) << "the start cell is yellow";

    ASSERT_EQ(0, Tool({"render", dir.File("l.lvl"), "-o", dir.File("w.png"), "--whole", "--scale", "1"}).status);
    rgb = RunShell("convert " + dir.File("w.png") + " -depth 8 rgb:-", "").out;
    ASSERT_EQ(1024u * 1024u * 3u, rgb.size());
    const uint32_t upper = TestTileColour(1), lower = TestTileLowerColour(upper);
    const uint8_t* p = reinterpret_cast<const uint8_t*>(rgb.data()) + (500 * 1024 + 500) * 3;
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(((upper >> (16 - 8 * c) & 0xFF) + (lower >> (16 - 8 * c) & 0xFF)) / 2, p[c]) << "the tile's mean";
    const CommandResult large = Tool({"render", dir.File("l.lvl"), "-o", dir.File("x.png"), "--whole", "--scale", "16"});
    EXPECT_EQ(1, large.status);
    EXPECT_EQ("flyer-level: " + dir.File("l.lvl") + ": the picture would be 16384 x 16384 pixels, more than 8192 a side; "
              "choose a smaller --scale\n", large.err);
}

}  // namespace
