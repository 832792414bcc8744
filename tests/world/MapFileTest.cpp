#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/support/files/ErrorOf.h"
#include "tests/support/files/TempFolder.h"
#include "world/MapFile.h"

using game::MapFile;

TEST(MapFile, FormatIsCompactAndExact) {
    EXPECT_EQ(MapFile::format({{-1, 5}, {0, 5}, {0, 6}}, {{2, 3}}),
              R"({"blocks":[[-1,5],[0,5],[0,6]],"items":[[2,3]]})");
    EXPECT_EQ(MapFile::format({}, {}), R"({"blocks":[],"items":[]})");
    EXPECT_EQ(MapFile::format({{11584, -11584}}, {{-0.0, 1e10}}),
              R"({"blocks":[[11584,-11584]],"items":[[-0,1e+10]]})");
}

TEST(MapFile, ReadTakesTheFirstTwoNumbersOfEachEntry) {
    TempFolder folder;
    std::string path = folder.write("map.json",
                                    "\xEF\xBB\xBF \n{ \"items\" : [[1.9, -2.2], [4], [], [null, 3, \"note\"]],\n"
                                    "  \"extra\": {\"a\": 1}, \"blocks\": [[0, 0, 7]] }\n");
    MapFile::Contents contents = MapFile::read(path);
    EXPECT_EQ(contents.blocks, (MapFile::Entries{{0, 0}}));
    EXPECT_EQ(contents.items, (MapFile::Entries{{1.9, -2.2}, {4}, {}, {0, 3}}));

    // Only the level object's own keys count, a key given twice counts with
    // its last value, and whatever an entry holds beyond two elements is
    // skipped however deep it goes.
    path = folder.write("map.json", R"({"extra":{"blocks":[[9,9]],"items":5},"blocks":5,"items":[[1,2,[3,{"a":[4]}]]],)"
                                    R"("blocks":[[5,6],[7,8,{"items":[[0]]}]]})");
    contents = MapFile::read(path);
    EXPECT_EQ(contents.blocks, (MapFile::Entries{{5, 6}, {7, 8}}));
    EXPECT_EQ(contents.items, (MapFile::Entries{{1, 2}}));
}

TEST(MapFile, ReadErrorsNameTheFileAndTheProblem) {
    TempFolder folder;
    struct Case {
        std::string text, problem;
    };
    // The parser's own wording is the library's; only its start is fixed.
    const Case cases[] = {
        {"", "not valid JSON: parse error at line 1, column 1"},
        {"{\"blocks\":[],\n\"items\":[] trailing", "not valid JSON: parse error at line 2"},
        {"[[0,0]]", "not a JSON object"},
        {R"({"blocks":[]})", R"("items" is missing)"},
        {R"({"items":[]})", R"("blocks" is missing)"},
        {R"({"blocks":{},"items":[]})", R"("blocks" is not an array)"},
        {R"({"blocks":[],"items":[[1,2],3]})", R"("items" entry 1 is not an array)"},
        {R"({"blocks":[[1,"2"]],"items":[]})", R"("blocks" entry 0 element 1 is not a number)"},
        {R"({"blocks":[[true]],"items":[]})", R"("blocks" entry 0 element 0 is not a number)"},
        // The first fault of "blocks" wins, wherever the keys stand, and a
        // syntax error anywhere wins over every fault of the structure.
        {R"({"items":[5],"blocks":[[1,"x"],3,[[1],2]]})", R"("blocks" entry 0 element 1 is not a number)"},
        {R"({"blocks":[[[1],2]],"items":[{"a":[1,2]}]})", R"("blocks" entry 0 element 0 is not a number)"},
        {R"({"blocks":[],"items":[{"a":[1,2]}]})", R"("items" entry 0 is not an array)"},
        {R"({"blocks":[[1,2]],"blocks":{},"items":[]})", R"("blocks" is not an array)"},
        {R"({"blocks":[[true]],"items":[] x)", "not valid JSON: parse error at line 1"},
        // Numbers beyond a double, and bytes hidden behind a NUL.
        {R"({"blocks":[[1e400,0]],"items":[]})", "not a valid level: number overflow parsing '1e400'"},
        {R"({"blocks":[],"items":[[0,-1E+999]]})", "not a valid level: number overflow parsing '-1E+999'"},
        {std::string(R"({"blocks":[],"items":[]})") + '\0' + "junk", "not valid JSON: a NUL byte at offset 24"},
        {std::string("{\"blocks\":[") + '\0' + "]}", "not valid JSON: a NUL byte at offset 11"},
    };
    for (const Case& c : cases) {
        std::string path = folder.write("map.json", c.text);
        std::string error = errorOf([&] { (void)MapFile::read(path); });
        if (c.problem.starts_with("not valid JSON"))
            EXPECT_TRUE(error.starts_with(path + ": " + c.problem)) << error;
        else
            EXPECT_EQ(error, path + ": " + c.problem) << c.text;
    }

    // A huge bad word is quoted by its start only.
    std::string path = folder.write("map.json", "{\"blocks\":[[" + std::string(5'000'000, '7') + "]]}");
    std::string error = errorOf([&] { (void)MapFile::read(path); });
    EXPECT_EQ(error, path + ": not a valid level: number overflow parsing '" + std::string(80, '7') + "...'");
    for (const char* word : {"tru", "\"abc"}) {
        path = folder.write("map.json", "{\"blocks\":[" + std::string(word) + std::string(1000, 'x'));
        error = errorOf([&] { (void)MapFile::read(path); });
        EXPECT_TRUE(error.starts_with(path + ": not valid JSON: ")) << error;
        EXPECT_LT(error.size(), path.size() + 300) << error;
        EXPECT_EQ(error.find("[json.exception"), std::string::npos) << error;
    }
    // What the parser last read may hold quotes of its own: still cut short.
    path = folder.write("map.json", "{\"blocks\":[\"a'" + std::string(1000, 'x') + "'b");
    error = errorOf([&] { (void)MapFile::read(path); });
    EXPECT_LT(error.size(), path.size() + 300) << error;

    std::string missing = folder.file("none.json");
    EXPECT_EQ(errorOf([&] { (void)MapFile::read(missing); }), missing + ": cannot be read: No such file or directory");
    std::filesystem::create_directory(folder.file("folder.json"));
    EXPECT_EQ(errorOf([&] { (void)MapFile::read(folder.file("folder.json")); }),
              folder.file("folder.json") + ": cannot be read: Is a directory");
}

// Anything but a regular file is refused at once, without waiting for a
// writer or reading a device that never ends.
TEST(MapFile, ReadRefusesWhatIsNotARegularFile) {
    TempFolder folder;
    const std::string fifo = folder.file("fifo.json");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(errorOf([&] { (void)MapFile::read(fifo); }), fifo + ": cannot be read: a pipe, not a regular file");
    for (const char* device : {"/dev/null", "/dev/zero"}) {
        EXPECT_EQ(errorOf([&] { (void)MapFile::read(device); }),
                  std::string(device) + ": cannot be read: not a regular file");
    }
    EXPECT_EQ(errorOf([&] { (void)MapFile::read(""); }), "\"\": the file name is empty");

    // A link to a level reads as the level.
    std::string level = folder.write("level.json", R"({"blocks":[[1,2]],"items":[]})");
    std::filesystem::create_symlink(level, folder.file("link.json"));
    EXPECT_EQ(MapFile::read(folder.file("link.json")).blocks, (MapFile::Entries{{1, 2}}));
}
