#include "ui/windows/CustomFSO.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/TempFolder.h"

namespace fs = std::filesystem;
namespace test = brenta::test;
using brenta::ui::CustomFSO;

namespace {

struct NameCase {
    std::string path;
    std::string delimiter;
    std::string name;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.path << " at " << c.delimiter; }

class GetFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(GetFileNameTest, GivesTheLastPiece)
{
    std::string delimiter = GetParam().delimiter;
    EXPECT_EQ(CustomFSO().GetFileName(GetParam().path, delimiter), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Paths, GetFileNameTest,
    ::testing::Values(NameCase{"a/b/c.txt", "/", "c.txt"}, NameCase{"c.txt", "\\", ""},
        NameCase{"C:\\x\\prices.dat", "\\", "prices.dat"}, NameCase{"/work/x/", "/", ""},
        NameCase{"", "/", ""}, NameCase{"/mine.dat", "/", "mine.dat"},
        NameCase{"a::b::c", "::", "c"},
        // Split from the left: the last piece of a\\\b at \\ is \b.
        NameCase{"a\\\\\\b", "\\\\", "\\b"}));

TEST(GetFileNameDelimiterTest, EmptyDelimiterBecomesBackslashForTheCallerToo)
{
    std::string delimiter;
    EXPECT_EQ(CustomFSO().GetFileName("C:\\x\\prices.dat", delimiter), "prices.dat");
    EXPECT_EQ(delimiter, "\\");
    delimiter.clear();
    EXPECT_EQ(CustomFSO().GetFileName("a/b/c.txt", delimiter), "");
}

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::ofstream(folder_ / "matprices.dat") << "34{5\r\n";
        std::ofstream(folder_ / ".hidden.txt") << "x";
        fs::create_directory(folder_ / "icons.txt");
        ASSERT_EQ(::mkfifo((folder_ / "pipe.log").c_str(), 0600), 0);
        fs::create_symlink(folder_ / "matprices.dat", folder_ / "link.dat");
        fs::create_symlink(folder_ / "gone.dat", folder_ / "dangling.bin");
    }

    bool Exists(const std::string& name) const { return CustomFSO().FileExists((folder_ / name).string()); }

    test::TempFolder temp_{"brenta-fso"};
    const fs::path& folder_ = temp_.Path();
};

TEST_F(FileExistsTest, OnlyOrdinaryVisibleFilesExist)
{
    EXPECT_TRUE(Exists("matprices.dat"));
    EXPECT_TRUE(Exists("link.dat"));
    EXPECT_FALSE(Exists("missing.dat"));
    EXPECT_FALSE(Exists("icons.txt"));
    EXPECT_FALSE(Exists(".hidden.txt"));
    EXPECT_FALSE(Exists("pipe.log"));
    EXPECT_FALSE(Exists("dangling.bin"));
    EXPECT_FALSE(Exists("matprices.dat/"));
    EXPECT_FALSE(Exists("no-folder/matprices.dat"));
    EXPECT_FALSE(CustomFSO().FileExists(""));
}

TEST_F(FileExistsTest, WildcardsMatchOnlyOrdinaryVisibleFiles)
{
    EXPECT_TRUE(Exists("*.dat"));
    EXPECT_TRUE(Exists("mat*"));
    EXPECT_TRUE(Exists("?????????.dat"));
    EXPECT_TRUE(Exists("m?tprices.d?t"));
    EXPECT_FALSE(Exists("*.txt"));  // only a hidden file and a folder end in .txt
    EXPECT_FALSE(Exists("*.log"));  // a pipe
    EXPECT_FALSE(Exists("*.bin"));  // a dangling link
    EXPECT_FALSE(Exists("?.dat"));
    EXPECT_FALSE(Exists("none/*.dat"));
}

} // namespace
