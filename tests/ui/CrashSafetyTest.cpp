// A save that fails at any step of any file loses nothing: the failed file keeps
// its old content, the failure is reported once, and every other file is saved.
// And a start clears what saves of a killed program left behind.

#include <cerrno>
#include <filesystem>
#include <map>
#include <set>

#include "tests/ui/MainWindowFixture.h"

namespace brenta::test {
namespace {

namespace fs = std::filesystem;
using storage::WriteStep;

class CrashSafetyTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        storage::SetWriteFault({});
        MainWindowTest::TearDown();
    }

    // Short forms the program reads and writes back in full, so the old and the new
    // content of each file differ.
    const std::map<std::string, std::string> old = {
        {"matprices.dat", "34{5\r\n"},
        {"skills.dat", "4,3,5,2,9\r\n"},
        {"ownedbps.dat", "11294{5\r\n"},
    };

    // One run from the old files to the close of the window.
    void Run()
    {
        for (const auto& [name, content] : old)
            WriteFile(name, content);
        messages.clear();
        Start();
        window->close();
        window.reset();
    }

    std::set<std::string> Entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder.path().toStdString()))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::map<std::string, std::string> Saved()
    {
        Run();
        std::map<std::string, std::string> saved;
        for (const auto& [name, content] : old) {
            saved[name] = ReadFile(name);
            EXPECT_NE(saved[name], content) << name;
        }
        return saved;
    }
};

TEST_P(CrashSafetyTest, AFailureAtAnyStepOfAnyFileKeepsItsOldContentAndSavesTheOthers)
{
    const auto fresh = Saved();
    const std::set<std::string> onlyTheFiles = Entries();
    const std::pair<WriteStep, const char*> steps[] = {
        {WriteStep::Create, "cannot create a temporary file"},
        {WriteStep::Write, "writing failed"},
        {WriteStep::Flush, "flushing to disk failed"},
        {WriteStep::Close, "closing the temporary file failed"},
        {WriteStep::Rename, "replacing the file failed"},
    };
    for (const auto& [failing, unused] : old) {
        for (const auto& [step, says] : steps) {
            SCOPED_TRACE(failing + " at step " + says);
            storage::SetWriteFault([&, step = step, &failing = failing](WriteStep at, const std::string& path) {
                return at == step && path.ends_with("/" + failing) ? ENOSPC : 0;
            });
            settings.flushes = 0;
            Run();
            storage::SetWriteFault({});

            EXPECT_EQ(settings.flushes, 1) << "the settings are saved";
            for (const auto& [name, content] : old)
                EXPECT_EQ(ReadFile(name), name == failing ? content : fresh.at(name)) << name;
            ASSERT_EQ(messages.size(), 1U);
            EXPECT_NE(messages[0].find(failing), std::string::npos) << messages[0];
            EXPECT_NE(messages[0].find(says), std::string::npos) << messages[0];
            EXPECT_NE(messages[0].find("No space left on device"), std::string::npos) << messages[0];
            EXPECT_EQ(Entries(), onlyTheFiles) << "no temporary file stays";
        }
    }
}

TEST_P(CrashSafetyTest, SettingsThatCannotBeSavedAreReportedAndTheFilesAreStillSaved)
{
    const auto fresh = Saved();
    settings.failFlush = true;
    Run();
    for (const auto& [name, content] : fresh)
        EXPECT_EQ(ReadFile(name), content) << name;
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find("settings"), std::string::npos) << messages[0];
}

TEST_P(CrashSafetyTest, AReadOnlyProgramFolderIsReportedOnceAndLosesNothing)
{
    storage::SetWriteFault([](WriteStep at, const std::string&) { return at == WriteStep::Create ? EROFS : 0; });
    Run();
    for (const auto& [name, content] : old)
        EXPECT_EQ(ReadFile(name), content) << name;
    ASSERT_EQ(messages.size(), 1U);
    for (const auto& [name, content] : old)
        EXPECT_NE(messages[0].find(name), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find("Read-only file system"), std::string::npos) << messages[0];
    EXPECT_EQ(settings.flushes, 1);
}

// A close after only looking writes no file, so a program folder that has become
// read-only is then no failure to report.
TEST_P(CrashSafetyTest, ACloseThatChangedNothingWritesNoFile)
{
    const auto fresh = Saved();
    int writes = 0;
    storage::SetWriteFault([&writes](WriteStep at, const std::string&) {
        writes += at == WriteStep::Create ? 1 : 0;
        return EROFS;
    });
    messages.clear();
    settings.flushes = 0;
    Start();
    window->close();
    window.reset();
    EXPECT_EQ(writes, 0);
    EXPECT_TRUE(messages.empty()) << messages.front();
    for (const auto& [name, content] : fresh)
        EXPECT_EQ(ReadFile(name), content) << name;
    EXPECT_EQ(settings.flushes, 1) << "the settings are still saved";
}

TEST_P(CrashSafetyTest, AStartRemovesTheTemporaryFilesOfAKilledSaveAndNothingElse)
{
    WriteFile(".ownedbps.dat.tmp4711-2", "11294{5");
    WriteFile(".matprices.dat.tmp4711-0", "34{");
    WriteFile("notes.txt", "the player's own");
    WriteFile(".ownedbps.dat.tmp", "not a name the program gives");
    WriteFile("ownedbps.dat", "11294{5{2\r\n");
    Start();
    EXPECT_EQ(Entries(), (std::set<std::string>{"notes.txt", ".ownedbps.dat.tmp", "ownedbps.dat"}));
    EXPECT_TRUE(window->Cat().bOwned[static_cast<std::size_t>(window->Cat().intBPIndex[11294])]);
}

// Saving does not depend on the separators.
INSTANTIATE_TEST_SUITE_P(Locale, CrashSafetyTest, ::testing::Values('.'), LocaleName);

} // namespace
} // namespace brenta::test
