#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>

#include "FlyerRun.h"
#include "TestFiles.h"

namespace {

CommandResult Tool(const std::vector<std::string>& args)
{
    std::vector<std::string> argv{FLYER_LEVEL_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, Subprocess::Options());
}

class LevelTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteLevel(Tileset(), {}));
    }
    std::string Tileset() const { return dir_.File("tiles.bmp"); }
    std::string Map(const std::string& text, const std::string& name = "m.csv") const
    {
        WriteFile(dir_.File(name), text);
        return dir_.File(name);
    }
    // Runs a build that must fail with this one-line message (after the
    // program's name) and must not leave or touch its output.
    void ExpectBuildFault(std::vector<std::string> args, const std::string& message)
    {
        const std::string out = dir_.File("out.lvl");
        WriteFile(out, "previous");
        args.insert(args.end(), {"-o", out});
        args.insert(args.begin(), "build");
        const CommandResult result = Tool(args);
        EXPECT_EQ(1, result.status);
        EXPECT_EQ("flyer-level: " + message + "\n", result.err);
        EXPECT_EQ("previous", ReadFile(out));
        const CommandResult listing = RunShell("ls " + dir_.Path() + " | grep -c partial", "");
        EXPECT_EQ("0\n", listing.out) << "no temporary file is left";
    }

    TempDir dir_;
};

TEST_F(LevelTool, BuildExportBuildGivesTheSameBytes)
{
    const std::string map = Map("0,5,0,\n7,0,190,\n0,0,1\n");
    ASSERT_EQ(0, Tool({"build", "--tileset", Tileset(), "--map", map, "-o", dir_.File("a.lvl"), "--origin", "100,200"}).status);
    const std::string level = ReadFile(dir_.File("a.lvl"));
    const std::string tileset = ReadFile(Tileset());
    ASSERT_EQ(tileset.size() + 4 * 4, level.size());
    EXPECT_EQ(tileset, level.substr(0, tileset.size())) << "the tileset is copied unchanged";

    const CommandResult exported = Tool({"export", dir_.File("a.lvl"), "-o", dir_.File("e.csv"), "--tileset-out", dir_.File("t.bmp")});
    ASSERT_EQ(0, exported.status) << exported.err;
    EXPECT_EQ("wrote " + dir_.File("e.csv") + "; build it again with --origin 100,200\n", exported.out);
    EXPECT_EQ("0,5,0,\n7,0,190,\n0,0,1\n", ReadFile(dir_.File("e.csv")));
    EXPECT_EQ(tileset, ReadFile(dir_.File("t.bmp")));
    ASSERT_EQ(0, Tool({"build", "--tileset", dir_.File("t.bmp"), "--map", dir_.File("e.csv"), "-o", dir_.File("b.lvl"), "--origin", "100,200"}).status);
    EXPECT_EQ(level, ReadFile(dir_.File("b.lvl")));
}

TEST_F(LevelTool, TmxAndCsvOfOneMapBuildTheSameLevel)
{
    const std::string tmx = Map(
        "<?xml version=\"1.0\"?>\n<map orientation=\"orthogonal\" width=\"3\" height=\"2\" tilewidth=\"16\" tileheight=\"16\">\n"
        " <tileset firstgid=\"1\" name=\"d\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"190\" columns=\"19\">\n"
        "  <image source=\"tiles.bmp\" width=\"304\" height=\"160\"/>\n </tileset>\n"
        " <layer id=\"1\" name=\"t\" width=\"3\" height=\"2\">\n  <data encoding=\"csv\">\n1,0,3,\n0,20,0\n</data>\n </layer>\n</map>\n",
        "m.tmx");
    const std::string csv = Map("1,0,3,\n0,20,0\n");
    ASSERT_EQ(0, Tool({"build", "--tileset", Tileset(), "--map", tmx, "-o", dir_.File("t.lvl")}).status);
    ASSERT_EQ(0, Tool({"build", "--tileset", Tileset(), "--map", csv, "-o", dir_.File("c.lvl")}).status);
    EXPECT_EQ(ReadFile(dir_.File("c.lvl")), ReadFile(dir_.File("t.lvl")));
}

TEST_F(LevelTool, EveryInputFaultIsOneLineAndLeavesNoOutput)
{
    const std::string good = Map("1,2\n");
    ExpectBuildFault({"--tileset", Tileset(), "--map", Map("1,2\n3,x\n")}, dir_.File("m.csv") + ":2:3: bad tile number 'x'");
    ExpectBuildFault({"--tileset", Tileset(), "--map", Map("1,191\n")}, dir_.File("m.csv") + ":1:3: tile 191 is beyond the tileset's 190");
    ExpectBuildFault({"--tileset", Tileset(), "--map", Map("1,2\n3\n")}, dir_.File("m.csv") + ":2: row has 1 cells, the first row 2");
    ExpectBuildFault({"--tileset", Tileset(), "--map", Map("1,2\n"), "--origin", "1023,0"},
                     dir_.File("m.csv") + ": the 2 x 1 grid at origin 1023,0 reaches beyond the 1024 x 1024 map");
    ExpectBuildFault({"--tileset", Tileset(), "--map", dir_.File("none.csv")},
                     dir_.File("none.csv") + ": cannot open: No such file or directory");
    ExpectBuildFault({"--tileset", Tileset(), "--map", dir_.Path()},
                     dir_.Path() + ": cannot read (is it a folder?)");
    ASSERT_TRUE(WriteBmp(dir_.File("small.bmp"), 304, 161, [](int, int) { return 0x123456u; }));
    ExpectBuildFault({"--tileset", dir_.File("small.bmp"), "--map", good},
                     dir_.File("small.bmp") + ": the tileset is 304 x 161 pixels, not 304 x 160 (19 x 10 tiles of 16 x 16)");
    WriteFile(dir_.File("text.bmp"), "hello, not a bitmap");
    ExpectBuildFault({"--tileset", dir_.File("text.bmp"), "--map", good}, dir_.File("text.bmp") + ": not a BMP file");
    ASSERT_EQ(0, Tool({"build", "--tileset", Tileset(), "--map", good, "-o", dir_.File("l.lvl")}).status);
    ExpectBuildFault({"--tileset", dir_.File("l.lvl"), "--map", good},
                     dir_.File("l.lvl") + ": the BMP header's file size (145974) is not the file's length (145982); is it a level already?");
}

TEST_F(LevelTool, UsageErrorsAndHelp)
{
    const CommandResult bare = Tool({});
    EXPECT_EQ(2, bare.status);
    EXPECT_NE(std::string::npos, bare.err.find("Usage: flyer-level <command>"));
    for (const std::string command : {"build", "info", "export"}) {
        const CommandResult help = Tool({command, "--help"});
        EXPECT_EQ(0, help.status);
        EXPECT_EQ(0u, help.out.find("Usage: flyer-level " + command)) << help.out;
    }
    EXPECT_EQ(0, Tool({"--help"}).status);
    EXPECT_EQ(2, Tool({"build", "--tileset", Tileset()}).status);
    EXPECT_EQ(2, Tool({"build", "--tileset", Tileset(), "--map", "m", "-o", "x", "--origin", "-1,2"}).status);
    EXPECT_EQ(2, Tool({"frobnicate"}).status);
}

TEST_F(LevelTool, InfoReportsSkippedReplacedAndFragment)
{
    const std::string level = dir_.File("odd.lvl");
    ASSERT_TRUE(WriteLevel(level, {0x01000000u, 0x00000400u, 0x00400000u, 0xBF000000u, 0x02000000u, 0x00000001u}));
    ASSERT_TRUE(AppendBytes(level, "ab"));
    const CommandResult info = Tool({"info", level});
    EXPECT_EQ(0, info.status);
    EXPECT_EQ(0u, info.out.find("level: " + level + "\n"
                                "tileset: 304 x 160 pixels, 24 bits per pixel\n"
                                "bfSize (record offset): 145974\n"
                                "file length: 146000\n")) << info.out;
    EXPECT_NE(std::string::npos, info.out.find("records: 6 (applied 3, skipped 3)\n"));
    EXPECT_NE(std::string::npos, info.out.find("skipped: x out of range 1, y out of range 1, tile out of range 1\n"));
    EXPECT_NE(std::string::npos, info.out.find("replaced: 1 records replaced earlier ones\n"));
    EXPECT_NE(std::string::npos, info.out.find("empty records (tile 0): 1\n"));
    EXPECT_NE(std::string::npos, info.out.find("trailing fragment: 2 bytes, ignored\n"));
    EXPECT_NE(std::string::npos, info.out.find("used cells: 1, columns 0..0, rows 0..0 (from the top)\n"));
    EXPECT_NE(std::string::npos, info.out.find("tiles (number: cells): 2:1\n"));

    WriteFile(dir_.File("junk.lvl"), "not a level at all");
    const CommandResult refused = Tool({"info", dir_.File("junk.lvl")});
    EXPECT_EQ(1, refused.status);
    EXPECT_NE(std::string::npos, refused.out.find("refused: SDL cannot read the tileset: "));
    EXPECT_EQ(1, Tool({"info", dir_.Path()}).status);
}

TEST(DefaultAssets, SpritesHaveTheirSizesOnBlackAndTheTilesAreDistinct)
{
    const struct { const char* name; int w, h; } sprites[] = {
        {"ship.bmp", 36, 36}, {"bullet.bmp", 8, 8}, {"ships.bmp", 288, 36}, {"tileset.bmp", 304, 160}};
    for (const auto& sprite : sprites) {
        SDL_Surface* s = SDL_LoadBMP((DataDirectory() + "/" + sprite.name).c_str());
        ASSERT_NE(nullptr, s) << sprite.name;
        EXPECT_EQ(sprite.w, s->w) << sprite.name;
        EXPECT_EQ(sprite.h, s->h) << sprite.name;
        SDL_Surface* rgb = SDL_CreateRGBSurface(0, s->w, s->h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        SDL_BlitSurface(s, nullptr, rgb, nullptr);
        auto at = [&](int x, int y) { return static_cast<Uint32*>(rgb->pixels)[y * rgb->pitch / 4 + x] & 0xFFFFFF; };
        if (std::string(sprite.name) != "tileset.bmp") {
            // Every frame's corners are pure black, the transparent colour.
            for (int f = 0; f < s->w / s->h; ++f) {
                for (int y : {0, s->h - 1}) {
                    for (int x : {f * s->h, f * s->h + s->h - 1})
                        EXPECT_EQ(0u, at(x, y)) << sprite.name << " " << x << "," << y;
                }
            }
        } else {
            std::set<std::vector<Uint32>> tiles;
            int opaque = 0;
            for (int n = 0; n < 190; ++n) {
                std::vector<Uint32> texels;
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) {
                        texels.push_back(at((n % 19) * 16 + x, (n / 19) * 16 + y));
                        opaque += texels.back() != 0 ? 1 : 0;
                    }
                tiles.insert(texels);
            }
            EXPECT_EQ(190u, tiles.size()) << "190 distinct tiles";
            EXPECT_GT(opaque, 190 * 256 * 9 / 10) << "tiles are nearly all non-black";
        }
        SDL_FreeSurface(rgb);
        SDL_FreeSurface(s);
    }
}

TEST(DefaultAssets, DemoLevelLoadsAndLeavesTheStartOpen)
{
    const CommandResult info = Tool({"info", DataDirectory() + "/demo.lvl"});
    EXPECT_EQ(0, info.status);
    EXPECT_NE(std::string::npos, info.out.find("skipped 0)"));
    // Export and check the ship's 1.8-unit square at (512, 512) and its
    // surroundings are free: map rows from the top 1023 - y.
    TempDir dir;
    const CommandResult exported = Tool({"export", DataDirectory() + "/demo.lvl", "-o", dir.File("d.csv")});
    ASSERT_EQ(0, exported.status);
    unsigned ox = 0, oy = 0;
    ASSERT_EQ(2, sscanf(exported.out.c_str() + exported.out.find("--origin") + 9, "%u,%u", &ox, &oy));
    std::vector<std::vector<int>> rows;
    std::istringstream lines(ReadFile(dir.File("d.csv")));
    std::string line;
    while (std::getline(lines, line)) {
        rows.emplace_back();
        std::istringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ','))
            rows.back().push_back(std::stoi(cell));
    }
    int walls = 0;
    for (int x = 500; x <= 524; ++x)
        for (int y = 500; y <= 524; ++y) {
            const int row = 1023 - y - static_cast<int>(oy), column = x - static_cast<int>(ox);
            ASSERT_GE(row, 0);
            ASSERT_LT(row, static_cast<int>(rows.size()));
            if (std::abs(x - 512) <= 5 && std::abs(y - 512) <= 5) {
                EXPECT_EQ(0, rows[row][column]) << "cell " << x << "," << y;
            }
            walls += rows[row][column] != 0 ? 1 : 0;
        }
    EXPECT_GT(walls, 0) << "something to bounce off within the first screen";
}

}  // namespace
