#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "OutputFiles.h"
#include "Subprocess.h"
#include "TestFiles.h"

namespace {

class LevelTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteLevel(Tileset(), {})); }
    std::string Tileset() const { return F("tiles.bmp"); }
    std::string F(const std::string& name) const { return dir_.File(name); }
    std::string Map(const std::string& text, const std::string& name) const
    {
        WriteFile(F(name), text);
        return F(name);
    }
    std::vector<std::string> Build(const std::string& map, const std::string& out = "out.lvl",
                                   const std::string& tileset = "tiles.bmp",
                                   const std::string& origin = "0,0") const
    {
        return {"build", "--tileset", F(tileset), "--map", map, "-o", F(out), "--origin", origin};
    }
    // The export of a level in this folder to e.csv, with its tileset.
    std::vector<std::string> Export(const std::string& level,
                                    const std::string& tileset = "t.bmp") const
    {
        return {"export", F(level), "-o", F("e.csv"), "--tileset-out", F(tileset)};
    }
    // Every entry, hidden ones too, by inode, mode, size and time: any file written or left shows.
    std::string Snapshot() const
    {
        return RunShell("ls -lAi --time-style=+%s.%N " + dir_.Path(), "").out;
    }
    TempDir dir_;
};

// Each fault is one line (then the usage text for a usage error) and changes no file, leaving no
// temporary.
TEST_F(LevelTool, EveryFaultIsOneLineAndChangesNoFile)
{
    const std::string good = Map("1,2\n", "g.csv");
    const std::string tileset = ReadFile(Tileset());
    const std::string fifo = F("fifo");
    const std::string u = "\nUsage: ";
    Map("previous", "e.csv");  // what a failed export leaves as it is
    ASSERT_EQ(0, FlyerLevel(Build(good, "l.lvl")).status);
    ASSERT_TRUE(WriteBmp(F("small.bmp"), 304, 161, [](int, int) { return 0x123456u; }));
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0644));
    ASSERT_EQ(0, truncate(Map(tileset, "big.bmp").c_str(), (4 << 20) + 1));
    ASSERT_EQ(0, truncate(Map(tileset, "4mib.bmp").c_str(), 4 << 20));
    Map(std::string(tileset).replace(2, 4, "\x0A\0\0\0", 4), "bf10.lvl");
    Map(std::string(tileset).replace(2, 4, "\x40\x42\x0F\0", 4), "bfpast.lvl");  // 10^6
    Map(std::string(tileset).replace(2, 4, "\0\xFF\xFF\xFF", 4),
        "far.lvl");  // records from 0xFFFFFF00
    ASSERT_EQ(0, truncate(F("far.lvl").c_str(), 0xFFFFFF00));
    ASSERT_TRUE(AppendWords(F("far.lvl"), {0x02000001u}));
    const auto tiledCsv = [](std::vector<std::string> args) {
        args.push_back("--tiled-csv");
        return args;
    };
    const struct {
        int status;
        std::vector<std::string> args;
        std::string start;
    } faults[] = {
        {1, tiledCsv(Build(Map("-1,190\n", "n.csv"))),
         F("n.csv") + ":1:4: Tiled's tile id 190 is beyond the tileset's 190 tiles (0 to 189)"},
        {1,
         tiledCsv(Build(Map("-2147483648\n", "m.csv"))),  // the least 32-bit number: all flip bits
         F("m.csv") + ":1:1: tile 1 (Tiled's id 0) is flipped or rotated; flyer draws tiles only "
                      "as they are"},
        {1, Build(Map("1,4294967296\n", "l.csv")), F("l.csv") + ":1:3: number too large"},
        {1, Build(Map("1,,2\n", "v.csv")), F("v.csv") + ":1:3: empty field"},
        {1, Build(Map("1,191\n", "b.csv")),
         F("b.csv") + ":1:3: tile 191 is beyond the tileset's 190"},
        {1, Build(Map("1,2\n3\n", "r.csv")), F("r.csv") + ":2: row has 1 cells, the first row 2"},
        {1, Build(good, "o", "tiles.bmp", "1023,0"),
         good + ": the 2 x 1 grid at origin 1023,0 reaches beyond the 1024 x 1024 map"},
        {1, Build(Map("1," + std::string(99999, 'z') + "\n", "z.csv")),
         F("z.csv") + ":1:3: bad tile number 'zzzzzzzzzzzzzzzzzzzzzzzz...' (99999 bytes)"},
        {1, Build(Map(std::string("1,a\0\x1B[31m\n", 10), "c.csv")),
         F("c.csv") + ":1:3: bad tile number 'a\\x00\\x1b[31m'"},
        {1, Build(fifo), fifo + ": cannot read a FIFO or pipe, only a regular file"},
        {1, Build(good, "o", "big.bmp"),
         F("big.bmp") + ": larger than 4 MiB, more than a file of its kind can need"},
        {1, Build(good, "o", "4mib.bmp"),
         F("4mib.bmp") + ": the BMP header's file size (145974) is not the file's length "
                         "(4194304); is it a level already?"},
        {1, Build(good, "o", "small.bmp"),
         F("small.bmp") +
             ": the tileset is 304 x 161 pixels, not 304 x 160 (19 x 10 tiles of 16 x 16)"},
        {1, Build(good, "o", "g.csv"), good + ": not a BMP file"},
        {1, Build(good, "fifo"),
         fifo + ": is a FIFO or pipe, not a regular file: flyer-level writes only regular files"},
        {1, Export("l.lvl", "none/t.bmp"),
         F("none/t.bmp") + ": cannot create the output: No such file or directory"},
        {1, Export("l.lvl", "e.csv"),
         F("e.csv") + ": is the same file as the output " + F("e.csv")},
        {1,
         {"export", F("l.lvl"), "-o", F("e.tmx"), "--tileset-image", good},
         good + ": is in the way: it is not the level's tileset bitmap; move it or name another "
                "--tileset-image"},
        {1,
         {"export", Tileset(), "-o", F("tiles.tmx")},
         Tileset() + ": would replace the level itself; export the map under another name"},
        {1, Export("bf10.lvl"),
         F("bf10.lvl") + ": the tileset part (the first 10 bytes, as bfSize says) is no tileset: "
                         "BMP file headers are cut short"},
        {1, Export("bfpast.lvl"), F("bfpast.lvl") + ": bfSize lies past the end of the file"},
        {1, Export("far.lvl"),
         F("far.lvl") +
             ": the tileset part (bfSize 4294967040) is larger than the 4 MiB a tileset can need"},
        {1,
         {"render", F("l.lvl"), "-o", F("p.png"), "--whole", "--scale", "16"},
         F("l.lvl") +
             ": the picture would be 16384 x 16384 pixels, more than 8192 a side; choose a "
             "smaller --scale"},
        {1,
         {"export", fifo, "-o", F("e.csv")},
         fifo + ": the game would refuse this level: SDL cannot read the tileset: " + fifo +
             " is a FIFO or pipe, not a regular file"},
        {2, {}, "no command given" + u + "flyer-level <command>"},
        {2,
         {"build", "--tileset", "t", "--map", "m", "-o", ""},
         "--tileset, --map and -o are required" + u + "flyer"},
        {2, Build("m", "x", "t", "0,1024"),
         "--origin takes two cells 0 to 1023 as X,Y, not '0,1024'"},
        {2,
         {"render", "l.lvl", "-o", "p.png", "--scale", "0"},
         "--scale takes a number of pixels 1 to 16, not '0'"},
        {2,
         {"render", "l.lvl", "-o", "p.png", "--scale", "17"},
         "--scale takes a number of pixels 1 to 16, not '17'"},
        {2, {"build", "--tileset", "t", "--bogus"}, "unknown option '--bogus'" + u},
        {2,
         {"export", "l", "-o", "e.csv", "--embed-tileset"},
         "--embed-tileset and --tileset-image are for a .tmx map" + u},
        {2, {"build", "--map"}, "option '--map' needs a value" + u},
        {0, {"build", "--help"}, "Usage: flyer-level build"},
        {0, {"export", "--tileset-out", "t", "--help"}, "Usage: flyer-level export"},
        {0, {"--version"}, "flyer-level 1."}};
    for (const auto& fault : faults) {
        const std::string before = Snapshot();
        const std::string start = fault.status == 0 ? fault.start : "flyer-level: " + fault.start;
        const CommandResult result = FlyerLevel(fault.args);
        EXPECT_EQ(fault.status, result.status) << start;
        EXPECT_EQ(0u, (fault.status == 0 ? result.out : result.err).find(start))
            << result.out << result.err;
        EXPECT_TRUE(fault.status != 1 || result.err == start + "\n") << "one line: " << result.err;
        EXPECT_EQ(before, Snapshot()) << start;
    }
    // A 4 GiB level is streamed, not read whole.
    EXPECT_NE(std::string::npos,
              FlyerLevel({"info", F("far.lvl")}).out.find("records: 1 (applied 1, skipped 0)\n"));
    EXPECT_EQ(0, FlyerLevel({"export", F("far.lvl"), "-o", F("e.csv")}).status);
    EXPECT_EQ("2\n", ReadFile(F("e.csv")));
}

// What lies just inside every limit is taken.
TEST_F(LevelTool, InputsAtTheLimitsAreTaken)
{
    // CR LF line ends and a row of blanks, placed in the map's bottom-right corner.
    const std::string map = Map("1,2\r\n \t\r\n3,4\r\n", "crlf.csv");
    ASSERT_EQ(0, FlyerLevel(Build(map, "corner.lvl", "tiles.bmp", "1022,1022")).status);
    ASSERT_TRUE(WriteLevel(F("want.lvl"), {0x013FE3FEu, 0x023FE3FFu, 0x033FF3FEu, 0x043FF3FFu}));
    EXPECT_EQ(ReadFile(F("want.lvl")), ReadFile(F("corner.lvl")));
    // A level of the tileset alone, and one whose tileset part is 4 MiB, the most it may be.
    std::string large = ReadFile(Tileset()).replace(2, 4, std::string("\0\0\x40\0", 4));
    large.resize((4 << 20) + 4);
    Map(large, "large.lvl");
    for (const std::string level : {"tiles.bmp", "large.lvl"}) {
        const CommandResult run = FlyerLevel(Export(level));
        EXPECT_EQ(0, run.status) << run.err;
        EXPECT_EQ(ReadFile(F(level)).substr(0, ReadFile(F("t.bmp")).size()), ReadFile(F("t.bmp")));
    }
    EXPECT_EQ(4u << 20, ReadFile(F("t.bmp")).size());
}

TEST_F(LevelTool, OutputsKeepLinksModesAndOwnersAndTakeTheLongestNames)
{
    const std::string map = Map("1,2\n", "m.csv"), longName(254, 'n');
    ASSERT_EQ(0, chmod(Map("old", "real.lvl").c_str(), 0600));
    const bool chowned = geteuid() == 0 && chown(F("real.lvl").c_str(), 65534, 65534) == 0;
    ASSERT_EQ(0, symlink("real.lvl", F("link.lvl").c_str()));
    ASSERT_EQ(0, FlyerLevel(Build(map, "link.lvl")).status);
    ASSERT_EQ(0, FlyerLevel(Build(map, longName)).status);
    ASSERT_TRUE(WriteFile(F("fresh"), ""));
    // The type and mode as ls shows them, and the owner, of a file or a link itself.
    const auto described = [&](const std::string& name) {
        return RunShell("stat -c '%A %u' " + F(name), "").out;
    };
    const std::string owner = std::to_string(chowned ? 65534u : geteuid());
    EXPECT_EQ("lrwxrwxrwx " + std::to_string(geteuid()) + "\n", described("link.lvl"));
    EXPECT_EQ("-rw------- " + owner + "\n", described("real.lvl"));
    EXPECT_EQ(ReadFile(F(longName)), ReadFile(F("real.lvl"))) << "both hold the level";
    EXPECT_EQ(described("fresh"), described(longName))
        << "a new output has the mode of any new file";
    EXPECT_EQ("fresh\nlink.lvl\nm.csv\n" + longName + "\nreal.lvl\ntiles.bmp\n",
              RunShell("LC_ALL=C ls -A " + dir_.Path(), "").out)
        << "no temporary and no copy of the replaced file is left";
}

// An output that cannot be put in place puts back those already there: the old file, no new one, no
// temporary.
TEST_F(LevelTool, AFailedOutputPutsBackTheOnesBeforeIt)
{
    Map("old", "a.csv");
    const std::string before = Snapshot();
    OutputFiles files;
    InputError error;
    ASSERT_TRUE(files.Add(F("a.csv"), "new", &error) && files.Add(F("n.csv"), "new", &error) &&
                files.Add(F("d.csv"), "", &error));
    ASSERT_EQ(0, mkdir(F("d.csv").c_str(), 0755));  // a folder, which a file cannot replace
    EXPECT_FALSE(files.Commit(&error));
    EXPECT_EQ(F("d.csv") + ": cannot finish the output: Is a directory", error.Text());
    ASSERT_EQ(0, rmdir(F("d.csv").c_str()));
    EXPECT_EQ(before, Snapshot());
}

TEST_F(LevelTool, InfoReportsSkippedReplacedAndFragment)
{
    const std::string level = F("odd.lvl");
    ASSERT_TRUE(WriteLevel(
        level, {0x01000000u, 0x00000400u, 0x00400000u, 0xBF000000u, 0x02000000u, 0x00000001u}));
    ASSERT_TRUE(AppendBytes(level, "ab"));
    EXPECT_EQ("level: " + level +
                  "\n"
                  "tileset: 304 x 160 pixels, 24 bits per pixel\n"
                  "bfSize (record offset): 145974\n"
                  "file length: 146000\n"
                  "records: 6 (applied 3, skipped 3)\n"
                  "skipped: x out of range 1, y out of range 1, tile out of range 1\n"
                  "replaced: 1 records replaced earlier ones\n"
                  "empty records (tile 0): 1\n"
                  "trailing fragment: 2 bytes, ignored\n"
                  "used cells: 1, columns 0..0, rows 0..0 (from the top)\n"
                  "tiles (number: cells): 2:1\n",
              FlyerLevel({"info", level}).out);
    ASSERT_TRUE(WriteBmp(F("tall.lvl"), 304, 161, [](int, int) { return 0u; }));
    const CommandResult tall = FlyerLevel({"info", F("tall.lvl")});
    EXPECT_EQ(1, tall.status);
    EXPECT_NE(std::string::npos, tall.out.find("\nrefused: the tileset is not 304 x 160 pixels\n"))
        << tall.out;
}

}  // namespace
