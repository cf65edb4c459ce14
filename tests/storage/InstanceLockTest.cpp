#include "storage/InstanceLock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/Failure.h"
#include "tests/TempFolder.h"

namespace brenta::test {
namespace {

namespace fs = std::filesystem;
using storage::InstanceLock;

// The failure's text when call fails, "" when it does not.
std::string FailureOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return {};
}

TEST(InstanceLock, OneHolderPerFolderUntilItLetsGo)
{
    TempFolder folder("brenta-lock");
    TempFolder other("brenta-lock-other");
    auto first = InstanceLock::Take(folder.Path().string());
    ASSERT_TRUE(first.has_value());
    EXPECT_FALSE(InstanceLock::Take(folder.Path().string()).has_value());
    EXPECT_TRUE(InstanceLock::Take(other.Path().string()).has_value()) << "another folder is another program";

    first.reset();
    EXPECT_TRUE(InstanceLock::Take(folder.Path().string()).has_value());
    EXPECT_TRUE(fs::is_empty(folder.Path())) << "the lock leaves no file behind";
}

TEST(InstanceLock, AKilledHolderLeavesNoStaleLock)
{
    TempFolder folder("brenta-lock");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const auto lock = InstanceLock::Take(folder.Path().string());
        const char held = lock ? '1' : '0';
        [[maybe_unused]] const auto put = ::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, '1');
    EXPECT_FALSE(InstanceLock::Take(folder.Path().string()).has_value());

    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_TRUE(InstanceLock::Take(folder.Path().string()).has_value());
}

// The stand-in file of folder in standIn, as the lock names it.
fs::path StandInFile(const fs::path& folder, const fs::path& standIn)
{
    struct stat st {};
    EXPECT_EQ(::stat(folder.c_str(), &st), 0);
    return standIn / ("brenta-" + std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino) + ".lock");
}

TEST(InstanceLock, TheStandInAllowsOneProgramAndGoesWithItsLock)
{
    TempFolder folder("brenta-lock");
    TempFolder standIn("brenta-lock-runtime");
    auto first = InstanceLock::TakeStandIn(folder.Path().string(), standIn.Path().string());
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(fs::is_regular_file(StandInFile(folder.Path(), standIn.Path())));
    EXPECT_FALSE(InstanceLock::TakeStandIn(folder.Path().string(), standIn.Path().string()).has_value());
    EXPECT_FALSE(InstanceLock::TakeStandIn(folder.Path().string() + "/.", standIn.Path().string()).has_value())
        << "another spelling of the same folder";

    first.reset();
    EXPECT_TRUE(fs::is_empty(standIn.Path())) << "a lock let go leaves no stand-in behind";
    auto again = InstanceLock::TakeStandIn(folder.Path().string(), standIn.Path().string());
    EXPECT_TRUE(again.has_value());
    InstanceLock moved = std::move(*again);
    again.reset();
    EXPECT_FALSE(fs::is_empty(standIn.Path())) << "a moved lock is still held";
}

// Something that is no lock file of this user at the stand-in's name stops the
// lock with the reason, and nothing it leads to is created or changed.
TEST(InstanceLock, WhatIsNoLockFileAtTheStandInsNameIsAFailureNotAnUnlockedLock)
{
    TempFolder folder("brenta-lock");
    const struct {
        const char* what;
        std::function<void(const fs::path& name, const fs::path& elsewhere)> put;
        bool onlyAsAdministrator;
    } cases[] = {
        {"a link", [](const fs::path& name, const fs::path& elsewhere) { fs::create_symlink(elsewhere, name); },
            false},
        {"a folder", [](const fs::path& name, const fs::path&) { fs::create_directory(name); }, false},
        {"a pipe", [](const fs::path& name, const fs::path&) { ASSERT_EQ(::mkfifo(name.c_str(), 0600), 0); },
            false},
        {"another user's file",
            [](const fs::path& name, const fs::path&) {
                std::ofstream(name) << "";
                ASSERT_EQ(::chown(name.c_str(), 65534, 65534), 0);
            },
            true},
    };
    for (const auto& c : cases) {
        if (c.onlyAsAdministrator && ::geteuid() != 0)
            continue;
        TempFolder standIn("brenta-lock-runtime");
        TempFolder elsewhere("brenta-lock-elsewhere");
        const fs::path name = StandInFile(folder.Path(), standIn.Path());
        c.put(name, elsewhere.Path() / "target");
        const std::string why
            = FailureOf([&] { InstanceLock::TakeStandIn(folder.Path().string(), standIn.Path().string()); });
        EXPECT_NE(why.find(name.string()), std::string::npos) << c.what << ": " << why;
        EXPECT_TRUE(fs::is_empty(elsewhere.Path())) << c.what;
    }
}

// Only a folder this user alone can write holds stand-ins: in a shared one, another
// user could put a link or a file of theirs at the name beforehand.
TEST(InstanceLock, AStandInFolderOthersCouldWriteIsAFailure)
{
    TempFolder folder("brenta-lock");
    TempFolder shared("brenta-lock-shared");
    fs::permissions(shared.Path(), fs::perms::all | fs::perms::sticky_bit);
    TempFolder own("brenta-lock-own");
    fs::create_symlink(own.Path(), shared.Path() / "link");
    const struct {
        fs::path standIn;
        const char* why;
    } cases[] = {
        {shared.Path(), "other users may write to it"},
        {shared.Path() / "link", "it is a link"},
        {folder.Path() / "missing", "No such file or directory"},
        {"relative/folder", "not an absolute path"},
    };
    for (const auto& c : cases) {
        const std::string why
            = FailureOf([&] { InstanceLock::TakeStandIn(folder.Path().string(), c.standIn.string()); });
        EXPECT_NE(why.find(c.why), std::string::npos) << c.standIn << ": " << why;
    }
    EXPECT_TRUE(fs::is_empty(own.Path()));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(own.Path().c_str(), 65534, 65534), 0);
        const std::string why
            = FailureOf([&] { InstanceLock::TakeStandIn(folder.Path().string(), own.Path().string()); });
        EXPECT_NE(why.find("belongs to another user"), std::string::npos) << why;
    }
}

TEST(InstanceLock, AFolderThatCannotBeLockedStopsWithTheReason)
{
    TempFolder standIn("brenta-lock-runtime");
    const std::string why
        = FailureOf([&] { InstanceLock::Take("/nonexistent/brenta-folder", standIn.Path().string()); });
    EXPECT_NE(why.find("/nonexistent/brenta-folder"), std::string::npos) << why;
    EXPECT_NE(why.find("No such file or directory"), std::string::npos) << why;
}

// Programs that take and let go of the same stand-in over and over never hold it
// at the same time: one that opened the file just before its holder removed it
// must not count the removed file as locked.
TEST(InstanceLock, TheStandInHoldsWhileHoldersComeAndGo)
{
    TempFolder folder("brenta-lock");
    TempFolder standIn("brenta-lock-runtime");
    TempFolder marks("brenta-lock-marks");
    const std::string inside = (marks.Path() / "inside").string();
    constexpr int kPrograms = 4;
    constexpr int kRounds = 3000;
    pid_t children[kPrograms];
    for (pid_t& child : children) {
        child = ::fork();
        ASSERT_GE(child, 0);
        if (child != 0)
            continue;
        int together = 0;
        for (int round = 0; round < kRounds; ++round) {
            const auto lock = InstanceLock::TakeStandIn(folder.Path().string(), standIn.Path().string());
            if (!lock)
                continue;
            const int mark = ::open(inside.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
            if (mark < 0) {
                ++together;
                continue;
            }
            ::close(mark);
            ::unlink(inside.c_str());
        }
        ::_exit(together == 0 ? 0 : 1);
    }
    for (const pid_t child : children) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "two programs held the lock at once";
    }
    EXPECT_TRUE(fs::is_empty(standIn.Path()));
}

// A child process that takes the lock as a player (the administrator steps down to
// "nobody", who may enter the folder but not list it, like its owner at mode 0311),
// says on the pipe whether it got it ('h'), was refused ('n') or failed ('f'), and
// lets it go when the pipe's other end closes.
pid_t HoldAsPlayer(const std::string& folder, const std::string& standIn, int answer, const int release[2])
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    ::close(release[1]);
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(3);
    char got = 'f';
    std::optional<InstanceLock> lock;
    try {
        lock = InstanceLock::Take(folder, standIn);
        got = lock ? 'h' : 'n';
    } catch (const Failure&) {
    }
    [[maybe_unused]] const auto put = ::write(answer, &got, 1);
    char ignored = 0;
    while (::read(release[0], &ignored, 1) > 0) {}
    lock.reset();
    ::_exit(0);
}

TEST(InstanceLock, AFolderThatCanBeEnteredButNotListedStillAllowsOneProgram)
{
    TempFolder folder("brenta-lock");
    TempFolder standIn("brenta-lock-runtime");
    fs::permissions(folder.Path(),
        fs::perms::owner_write | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec);
    // The stand-in folder belongs to the player alone.
    if (::geteuid() == 0)
        ASSERT_EQ(::chown(standIn.Path().c_str(), 65534, 65534), 0);
    int answers[2];
    int release[2];
    ASSERT_EQ(::pipe(answers), 0);
    ASSERT_EQ(::pipe(release), 0);
    char first = 0, second = 0;
    const pid_t a = HoldAsPlayer(folder.Path().string(), standIn.Path().string(), answers[1], release);
    ASSERT_EQ(::read(answers[0], &first, 1), 1);
    const pid_t b = HoldAsPlayer(folder.Path().string(), standIn.Path().string(), answers[1], release);
    ASSERT_EQ(::read(answers[0], &second, 1), 1);
    const bool standInWhileHeld = !fs::is_empty(standIn.Path());
    ::close(release[1]);
    for (const pid_t child : {a, b})
        ::waitpid(child, nullptr, 0);
    ::close(release[0]);
    ::close(answers[0]);
    ::close(answers[1]);
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(first, 'h') << "the first program holds the stand-in lock";
    EXPECT_EQ(second, 'n') << "the second one stands back";
    EXPECT_TRUE(standInWhileHeld);
    EXPECT_TRUE(fs::is_empty(standIn.Path())) << "no stand-in stays after the programs end";
}

// The stand-in folder: the session's runtime folder when it is private, else a
// private folder the program makes in the user's cache.
TEST(InstanceLock, TheStandInFolderIsOneOnlyThisUserCanWrite)
{
    TempFolder home("brenta-lock-home");
    TempFolder runtime("brenta-lock-runtime");
    TempFolder shared("brenta-lock-shared");
    fs::permissions(shared.Path(), fs::perms::all | fs::perms::sticky_bit);
    fs::create_symlink(runtime.Path(), home.Path() / "runtime-link");
    const std::string cache = (home.Path() / "cache").string();
    const std::string homeCache = (home.Path() / ".cache/brenta/locks").string();
    const struct {
        storage::LockPlaces places;
        std::string folder;
    } cases[] = {
        {{runtime.Path().string(), cache, home.Path().string()}, runtime.Path().string()},
        {{runtime.Path().string() + "/", cache, home.Path().string()}, runtime.Path().string()},
        {{shared.Path().string(), cache, home.Path().string()}, cache + "/brenta/locks"},
        {{(home.Path() / "runtime-link").string(), cache, home.Path().string()}, cache + "/brenta/locks"},
        {{"", "", home.Path().string()}, homeCache},
        {{"run", "relative", home.Path().string()}, homeCache},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(storage::StandInFolder(c.places), c.folder) << c.places.runtimeFolder;
        struct stat st {};
        ASSERT_EQ(::lstat(c.folder.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700U) << c.folder;
    }

    // A private folder of the program that became a link, or that others may write
    // to, is not trusted: the failure says why.
    fs::remove(homeCache);
    fs::create_symlink(shared.Path(), homeCache);
    std::string why = FailureOf([&] { storage::StandInFolder({"", "", home.Path().string()}); });
    EXPECT_NE(why.find(homeCache + " cannot hold the lock: it is a link"), std::string::npos) << why;
    fs::remove(homeCache);
    fs::create_directory(homeCache);
    fs::permissions(homeCache, fs::perms::all);
    why = FailureOf([&] { storage::StandInFolder({shared.Path().string(), "", home.Path().string()}); });
    EXPECT_NE(
        why.find(shared.Path().string() + " cannot hold the lock: other users may write to it"), std::string::npos)
        << why;
    EXPECT_NE(why.find(homeCache + " cannot hold the lock: other users may write to it"), std::string::npos)
        << why;
    why = FailureOf([&] { storage::StandInFolder({"", "", ""}); });
    EXPECT_NE(why.find("no home folder"), std::string::npos) << why;
}

} // namespace
} // namespace brenta::test
