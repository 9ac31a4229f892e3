#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "image/FileIo.h"
#include "support/TempDir.h"

namespace vtr::image {
namespace {

namespace fs = std::filesystem;

using FileIoTest = vtr::testing::TempDirTest;

TEST_F(FileIoTest, WriteReplacesAtomicallyAndReadsBack) {
    const fs::path file = dir_ / "p.bin";
    const std::vector<std::uint8_t> first(583, 0x11), second(235, 0x22);
    ASSERT_FALSE(WriteFileAtomically(file, first));
    ::chmod(file.c_str(), 0600);
    ASSERT_FALSE(WriteFileAtomically(file, second));
    std::string error;
    EXPECT_EQ(ReadFileBytes(file, 1000, error), second);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u) << "a replaced file keeps its permissions";
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, FailuresNameTheFileAndTouchNothing) {
    std::string error;
    EXPECT_FALSE(ReadFileBytes(dir_ / "missing.bin", 100, error));
    EXPECT_NE(error.find("missing.bin"), std::string::npos);

    EXPECT_FALSE(ReadFileBytes(dir_, 100, error));

    const fs::path big = dir_ / "big.bin";
    ASSERT_FALSE(WriteFileAtomically(big, std::vector<std::uint8_t>(101, 1)));
    EXPECT_FALSE(ReadFileBytes(big, 100, error));
    EXPECT_NE(error.find("larger than 100"), std::string::npos);

    const auto failure =
        WriteFileAtomically(dir_ / "no-such-folder" / "p.bin", std::vector<std::uint8_t>(3, 0));
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("p.bin"), std::string::npos);
    EXPECT_TRUE(WriteFileAtomically(dir_, std::vector<std::uint8_t>(3, 0)));
    EXPECT_TRUE(fs::is_directory(dir_));
}

}  // namespace
}  // namespace vtr::image
