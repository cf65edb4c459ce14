#include "storage/ProgramFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/Failure.h"
#include "tests/TempFolder.h"

namespace brenta::test {
namespace {

namespace fs = std::filesystem;
using storage::OwnFile;

// Every way a write could reach one of the program's files: by its name, through a
// link to it or to a folder above it, with ".." steps, as a hard link; and what
// lies beside them that is free to write.
TEST(ProgramFiles, EveryPathThatLandsOnAProgramFileIsKnownAsOne)
{
    TempFolder root("brenta-own");
    const fs::path program = root.Path() / "program";
    const fs::path elsewhere = root.Path() / "elsewhere";
    fs::create_directories(program / "icons" / "sub");
    fs::create_directory(elsewhere);
    for (const char* name : {"brenta", "matprices.dat", "mine.dat", "skills.dat", "brenta.png", "brenta.desktop",
             "report.txt", "icons/1001.jpg", "icons/sub/7.png", "../elsewhere/report.txt"})
        std::ofstream(program / name) << "keep";
    // ownedbps.dat does not exist yet: its name is the program's all the same.
    fs::create_symlink(program / "skills.dat", elsewhere / "skills-link.txt");
    fs::create_symlink(program / "icons" / "1001.jpg", elsewhere / "picture.jpg");
    fs::create_symlink("picture.jpg", elsewhere / "picture-link.jpg"); // a link to a link
    fs::create_symlink(program / "icons", elsewhere / "pictures");
    fs::create_symlink(program, elsewhere / "program-link");
    fs::create_symlink(program / "ownedbps.dat", elsewhere / "owned-link.txt"); // leads to no file yet
    fs::create_symlink(program / "report.txt", elsewhere / "report-link.txt");
    fs::create_hard_link(program / "skills.dat", elsewhere / "skills-copy.txt");
    fs::create_hard_link(program / "icons" / "sub" / "7.png", elsewhere / "picture-copy.png");
    fs::create_hard_link(program / "mine.dat", elsewhere / "prices-copy.dat");

    const storage::ProgramFiles own{program.string(), "brenta", "mine.dat"};
    const struct {
        fs::path path;
        OwnFile expected;
    } cases[] = {
        {program / "matprices.dat", OwnFile::PricesFile}, // the default prices, though another file is in use
        {program / "mine.dat", OwnFile::PricesFile},
        {elsewhere / "prices-copy.dat", OwnFile::PricesFile},
        {program / "brenta", OwnFile::Other},
        {program / "skills.dat", OwnFile::Other},
        {program / "ownedbps.dat", OwnFile::Other},
        {program / "brenta.png", OwnFile::Other},
        {program / "brenta.desktop", OwnFile::Other},
        {program / "icons", OwnFile::Other},
        {program / ".hidden", OwnFile::Other},
        {program / "icons" / "1001.jpg", OwnFile::Other},
        {program / "icons" / "new.jpg", OwnFile::Other},
        {program / "icons" / "sub" / "7.png", OwnFile::Other},
        {program / "icons" / "sub" / ".." / "1001.jpg", OwnFile::Other},
        {program / "icons" / "..", OwnFile::None}, // the program folder itself
        {elsewhere / "skills-link.txt", OwnFile::Other},
        {elsewhere / "picture.jpg", OwnFile::Other},
        {elsewhere / "picture-link.jpg", OwnFile::Other},
        {elsewhere / "pictures" / "1001.jpg", OwnFile::Other},
        {elsewhere / "pictures" / "new.jpg", OwnFile::Other},
        {elsewhere / "program-link" / "matprices.dat", OwnFile::PricesFile},
        {elsewhere / "program-link" / "ownedbps.dat", OwnFile::Other},
        {elsewhere / ".." / "program" / "skills.dat", OwnFile::Other},
        {elsewhere / "owned-link.txt", OwnFile::Other},
        {elsewhere / "skills-copy.txt", OwnFile::Other},
        {elsewhere / "picture-copy.png", OwnFile::Other},
        {program / "report.txt", OwnFile::None},
        {program / "new.txt", OwnFile::None},
        {program / "icons.txt", OwnFile::None},
        {elsewhere / "report.txt", OwnFile::None},
        {elsewhere / "report-link.txt", OwnFile::None},
        {elsewhere / "program-link" / "new.txt", OwnFile::None},
        {root.Path() / "missing" / "skills.dat", OwnFile::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(storage::ProgramFileAt(c.path.string(), own), c.expected) << c.path;

    // Without a prices file in use, the default one is still the player's.
    EXPECT_EQ(storage::ProgramFileAt((program / "matprices.dat").string(), {program.string(), "", ""}),
        OwnFile::PricesFile);
    EXPECT_EQ(storage::ProgramFileAt((program / "brenta").string(), {program.string(), "", ""}), OwnFile::None)
        << "an executable of unknown name";

    fs::create_symlink("loop-b", elsewhere / "loop-a");
    fs::create_symlink("loop-a", elsewhere / "loop-b");
    EXPECT_THROW(storage::ProgramFileAt((elsewhere / "loop-a").string(), own), Failure);
}

} // namespace
} // namespace brenta::test
