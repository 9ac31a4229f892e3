#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MacroFixture.h"
#include "image/DefaultImage.h"
#include "macros/MacroFiles.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace vtr::macros {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Concat;
using testing::Entry10;
using testing::Record;

// Macro files in a fresh folder per test.
class MacroFilesTest : public testing::MacroTest {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("vtr-MacroFiles-" + std::string(info->name()) + "-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Bytes ReadAll(const fs::path& path) const {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void WriteAll(const fs::path& path, const Bytes& bytes) const {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    fs::path dir_;
};

TEST_F(MacroFilesTest, ExportOneAndImportItIntoAnotherSlot) {
    Load(10, {});
    AddMacro("AB", testing::Tap("10", "A", "04"));
    AddMacro("Other", {"00", "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021"});
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    ASSERT_TRUE(editor_.ExportOneTo(dir_ / "one").done);
    const Bytes file = ReadAll(dir_ / "one.bin");
    ASSERT_EQ(file.size(), 288u);
    EXPECT_EQ(file[1], 'A');
    EXPECT_EQ(Bytes(file.begin() + 32, file.begin() + 40),
              (Bytes{0x07, 0x82, 0x04, 0xFE, 0x0C, 0x02, 0x04, 0xC7}));

    ASSERT_TRUE(editor_.LB_MacroNameClick(1).done);
    const MacroResult result = editor_.ImportOneFrom(dir_ / "one.bin");
    EXPECT_TRUE(result.done);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_EQ(memory_.macroNames(), (std::vector<std::u16string>{u"AB", u"AB"}));
    EXPECT_EQ(Bytes(memory_.record(1).begin(), memory_.record(1).end()),
              Bytes(memory_.record(0).begin(), memory_.record(0).end()));
    EXPECT_EQ(editor_.selectedMacro(), -1) << "the list was rebuilt";
    EXPECT_TRUE(editor_.steps().empty());

    // Without a selected macro there is nothing to export or import into.
    EXPECT_FALSE(editor_.ExportOneTo(dir_ / "none").done);
    EXPECT_FALSE(fs::exists(dir_ / "none.bin"));
    EXPECT_FALSE(editor_.ImportOneFrom(dir_ / "one.bin").done);
}

TEST_F(MacroFilesTest, ExportAllAndImportAllReproduceTheArea) {
    image::ConfigImage defaults;
    image::LoadDefaultImage(defaults);
    const Bytes area(defaults.macroArea10.begin(), defaults.macroArea10.end());
    Load(10, area);
    ASSERT_EQ(memory_.macroNames().size(), 7u);
    ASSERT_EQ(Area(10), area);
    ASSERT_TRUE(editor_.ExportAllTo(dir_ / "all.BIN").done);
    EXPECT_TRUE(fs::exists(dir_ / "all.BIN")) << "an ending .bin in any case is kept";
    EXPECT_EQ(ReadAll(dir_ / "all.BIN"), area);

    Load(10, {});
    const MacroResult result = editor_.ImportAllFrom(dir_ / "all.BIN");
    EXPECT_TRUE(result.done);
    EXPECT_TRUE(result.macroChanged);
    EXPECT_EQ(Area(10), area);
    EXPECT_EQ(memory_.macroNames().size(), 7u);

    // Type 2 the same way.
    Load(2, {});
    ASSERT_TRUE(StepsToMacroBuf(memory_, 0, testing::Tap("10", "A", "04")));
    ASSERT_TRUE(StepsToMacroBuf(memory_, 1, testing::Tap("10", "B", "05")));
    const Bytes area2 = Area(2);
    ASSERT_TRUE(editor_.ExportAllTo(dir_ / "two").done);
    EXPECT_EQ(ReadAll(dir_ / "two.bin").size(), 164u);
    Load(2, {});
    ASSERT_TRUE(editor_.ImportAllFrom(dir_ / "two.bin").done);
    EXPECT_EQ(Area(2), area2);
}

TEST_F(MacroFilesTest, ImportAllOfAShortFileKeepsTheRest) {
    image::ConfigImage defaults;
    image::LoadDefaultImage(defaults);
    const Bytes area(defaults.macroArea10.begin(), defaults.macroArea10.end());
    Load(10, area);
    Bytes file(area.begin(), area.begin() + 100);
    file[1] = 'K';  // "Copy" becomes "Kopy"
    WriteAll(dir_ / "short.bin", file);
    ASSERT_TRUE(editor_.ImportAllFrom(dir_ / "short.bin").done);
    Bytes expected = area;
    expected[1] = 'K';
    EXPECT_EQ(Area(10), expected);
    EXPECT_EQ(memory_.name(0), "Kopy");
}

TEST_F(MacroFilesTest, ImportOneThatDoesNotFitRestoresEverything) {
    Load(2, {});
    // Four macros of 25 bytes: eleven key steps and a click each.
    StepLines quarter = {"00"};
    for (int i = 0; i < 11; ++i) {
        quarter.push_back(i % 2 == 0 ? "1 A CODE:8204" : "2 A CODE:0204");
    }
    quarter.push_back("1 LeftKey CODE:00A1");
    for (std::size_t slot = 0; slot < 4; ++slot) {
        ASSERT_TRUE(StepsToMacroBuf(memory_, slot, quarter));
    }
    ASSERT_EQ(memory_.totalBytes(), 100);
    const Bytes before = Area(2);

    struct Case {
        const char* what;
        Bytes file;
    };
    const Case cases[] = {
        {"a record of 100 bytes", Record(Bytes(98, 0xA1))},
        {"a length byte of 255",
         [] {
             Bytes file(164, 0xA1);
             file[0] = 255;
             return file;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteAll(dir_ / "big.bin", c.file);
        ASSERT_TRUE(editor_.LB_MacroNameClick(4).done);
        const MacroResult result = editor_.ImportOneFrom(dir_ / "big.bin");
        EXPECT_FALSE(result.done);
        EXPECT_TRUE(result.macroChanged);
        EXPECT_EQ(result.message, "Str103");
        EXPECT_EQ(Area(2), before);
        EXPECT_EQ(memory_.totalBytes(), 100);
        for (std::size_t slot = 0; slot < 5; ++slot) {
            EXPECT_EQ(memory_.storedLength(slot), slot < 4 ? 25 : 0) << slot;
        }
        EXPECT_EQ(editor_.selectedMacro(), 4) << "type 2 keeps the selection";
    }

    // One that fits goes into the selected slot, and its steps are shown.
    WriteAll(dir_ / "small.bin", Record({0xA2, 0x22}));
    ASSERT_TRUE(editor_.LB_MacroNameClick(4).done);
    EXPECT_TRUE(editor_.ImportOneFrom(dir_ / "small.bin").done);
    EXPECT_EQ(memory_.storedLength(4), 4);
    EXPECT_EQ(editor_.steps(), (StepLines{"00", "1 RightKey CODE:00A2", "2 RightKey CODE:0022"}));
}

TEST_F(MacroFilesTest, FilesOfAnySizeAreReadAsFarAsTheyGo) {
    Load(10, {});
    AddMacro("Keep", testing::Tap("10", "A", "04"));
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    const Bytes before = Area(10);

    struct Case {
        const char* what;
        Bytes file;
        bool imported;
        std::string name;
        int storedLength;
    };
    Bytes longer = Entry10(u"Long", Record({0xA4, 0x24}));
    longer.resize(1000, 0x77);
    Bytes failing = Entry10(u"Bad", Record({0xA4, 0x24}));
    failing.back() ^= 1;
    const Case cases[] = {
        {"first record byte 0", Entry10(u"Zero", {0x00, 0x82}), false, "Keep", 40},
        {"a file of 5 bytes", {0x00, 0x41, 0x00, 0x42, 0x00}, false, "Keep", 40},
        {"a file of 1000 bytes", longer, true, "Long", 36},
        {"a record that fails its check", failing, true, "Bad", 34},  // 01 FF
        {"an empty file", {}, false, "Keep", 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Load(10, before);
        ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
        WriteAll(dir_ / "in.bin", c.file);
        const MacroResult result = editor_.ImportOneFrom(dir_ / "in.bin");
        EXPECT_EQ(result.done, c.imported);
        EXPECT_TRUE(result.macroChanged);
        EXPECT_EQ(memory_.name(0), c.name);
        EXPECT_EQ(memory_.storedLength(0), c.storedLength);
        if (!c.imported) {
            EXPECT_EQ(Area(10), before);
        }
    }
}

TEST_F(MacroFilesTest, FileErrors) {
    Load(10, {});
    AddMacro("M", {"00"});
    ASSERT_TRUE(editor_.LB_MacroNameClick(0).done);
    const Bytes before = Area(10);

    MacroResult result = editor_.ImportOneFrom(dir_ / "missing.bin");
    EXPECT_FALSE(result.done);
    EXPECT_NE(result.error.find("missing.bin"), std::string::npos);
    result = editor_.ImportAllFrom(dir_);
    EXPECT_FALSE(result.done);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(Area(10), before);

    result = editor_.ExportAllTo(dir_ / "no-such-folder" / "all");
    EXPECT_FALSE(result.done);
    EXPECT_FALSE(result.error.empty());
}

TEST(MacroFilePathTest, BinIsAppendedOnlyWhenMissing) {
    const std::pair<const char*, const char*> cases[] = {
        {"macros", "macros.bin"},       {"macros.bin", "macros.bin"},
        {"macros.Bin", "macros.Bin"},   {"macros.bin.txt", "macros.bin.txt.bin"},
        {"dir.bin/m", "dir.bin/m.bin"}, {"m.bi", "m.bi.bin"},
    };
    for (const auto& [chosen, written] : cases) {
        EXPECT_EQ(MacroFilePath(chosen), fs::path(written)) << chosen;
    }
    EXPECT_EQ(SingleMacroFileSize(2), 164u);
    EXPECT_EQ(SingleMacroFileSize(10), 288u);
    EXPECT_EQ(AllMacrosFileSize(2), 164u);
    EXPECT_EQ(AllMacrosFileSize(10), 512u);
}

}  // namespace
}  // namespace vtr::macros
