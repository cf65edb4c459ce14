// The real program, started as a child process on a program folder of its own and
// killed with SIGKILL at moments spread evenly over its shut-down writes: every file it
// writes is always either its complete old content or its complete new content.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/TempFolder.h"

namespace brenta::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

// A program folder with a copy of the executable (the program's folder is the one
// its executable lies in) and a settings store of its own.
class ProgramFolder {
public:
    ProgramFolder() : root_("brenta-kill")
    {
        fs::create_directories(Folder());
        fs::create_directories(root_.Path() / "config" / "BRENTA");
        fs::create_directories(root_.Path() / "runtime");
        fs::permissions(root_.Path() / "runtime", fs::perms::owner_all);
        fs::copy_file(BRENTA_EXE, Folder() / "brenta");
    }

    fs::path Folder() const { return root_.Path() / "program folder"; }
    fs::path Settings() const { return root_.Path() / "config" / "BRENTA" / "BRENTA.ini"; }

    pid_t Start() const
    {
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("XDG_CONFIG_HOME", (root_.Path() / "config").c_str(), 1);
            ::setenv("XDG_RUNTIME_DIR", (root_.Path() / "runtime").c_str(), 1);
            // The sanitizer build's exit-time leak scan is not what is measured here.
            ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
            const std::string exe = (Folder() / "brenta").string();
            ::execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return child;
    }

private:
    TempFolder root_;
};

// The program has finished its start-up once it handles SIGTERM: it installs that
// handler right after the window is shown.
bool WaitUntilRunning(pid_t pid)
{
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    const std::string status = "/proc/" + std::to_string(pid) + "/status";
    while (Clock::now() < deadline) {
        std::ifstream in(status);
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("SigCgt:", 0) != 0)
                continue;
            const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
            if (caught & (1ULL << (SIGTERM - 1)))
                return true;
        }
        int ignored = 0;
        if (::waitpid(pid, &ignored, WNOHANG) == pid)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

// What the file system tells of the watched folders: every file created, written
// and renamed into place there, as it happens.
class Changes {
public:
    explicit Changes(const std::vector<fs::path>& folders) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        for (const fs::path& folder : folders)
            ok_ = ok_ && fd_ >= 0
                && ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_TO) >= 0;
    }
    ~Changes()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Changes(const Changes&) = delete;
    Changes& operator=(const Changes&) = delete;

    bool Ok() const { return ok_; }

    // Forgets what has been told so far.
    void Drain()
    {
        alignas(inotify_event) char buffer[4096];
        while (::read(fd_, buffer, sizeof buffer) > 0) {}
    }

    // Waits until `count` more changes have been told, or the time is up; how many were.
    int Await(int count, std::chrono::milliseconds limit)
    {
        const auto deadline = Clock::now() + limit;
        int seen = 0;
        alignas(inotify_event) char buffer[4096];
        while (seen < count) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd ready{fd_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
                break;
            const ssize_t length = ::read(fd_, buffer, sizeof buffer);
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
                ++seen;
            }
        }
        return seen;
    }

private:
    int fd_;
    bool ok_ = true;
};

TEST(KillDuringShutdown, EveryFileIsWhollyOldOrWhollyNew)
{
    ProgramFolder program;
    const fs::path folder = program.Folder();
    // Old contents the program reads and writes back in their full form, so the old
    // and the new content of every file differ.
    const std::map<fs::path, std::string> old = {
        {folder / "matprices.dat", "34{5\r\n"},
        {folder / "skills.dat", "4,3,5,2,9\r\n"},
        {folder / "ownedbps.dat", "11294{5\r\n"},
        {program.Settings(), "[Options]\nShowNextImprovement=true\n"},
    };
    const auto restore = [&] {
        for (const auto& [path, content] : old)
            Write(path, content);
    };

    Changes changes({folder, program.Settings().parent_path()});
    ASSERT_TRUE(changes.Ok());

    // One undisturbed run gives the new contents, the length of the shut-down and
    // the number of changes its saves make.
    restore();
    const pid_t calibration = program.Start();
    ASSERT_TRUE(WaitUntilRunning(calibration));
    changes.Drain();
    const auto asked = Clock::now();
    ::kill(calibration, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(calibration, &status, 0), calibration);
    const auto shutdown = Clock::now() - asked;
    const int steps = changes.Await(1000, std::chrono::milliseconds(200));
    ASSERT_GT(steps, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::map<fs::path, std::string> fresh;
    for (const auto& [path, content] : old) {
        fresh[path] = Read(path);
        ASSERT_NE(fresh[path], content) << path << " was not rewritten";
        ASSERT_FALSE(fresh[path].empty()) << path;
    }

    int allOld = 0, allNew = 0, mixed = 0;
    // Starts the program, asks it to close, and kills it once `when` returns; every
    // file must then be wholly old or wholly new.
    const auto killAfter = [&](const std::string& moment, const auto& when) {
        restore();
        const pid_t child = program.Start();
        ASSERT_TRUE(WaitUntilRunning(child)) << moment;
        changes.Drain();
        ::kill(child, SIGTERM);
        when();
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        int newer = 0;
        for (const auto& [path, content] : old) {
            const std::string now = Read(path);
            ASSERT_TRUE(now == content || now == fresh[path])
                << path << " is neither its old nor its new content after a kill " << moment << ":\n"
                << now;
            newer += now == fresh[path] ? 1 : 0;
        }
        (newer == 0 ? allOld : newer == static_cast<int>(old.size()) ? allNew : mixed)++;
    };

    // The kills sweep the shut-down from its start to its end in even steps, so
    // every run tries the same moments.
    constexpr int kTrials = 200;
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(shutdown).count();
    for (int trial = 0; trial < kTrials && !HasFatalFailure(); ++trial) {
        const auto wait = std::chrono::microseconds(longest * trial / (kTrials - 1));
        killAfter(
            std::to_string(wait.count()) + " us after SIGTERM", [wait] { std::this_thread::sleep_for(wait); });
    }
    // Where the saves lie within the shut-down varies from one start to the next, and
    // on a fast disk they take a small part of it: kills timed by the clock alone may
    // miss them. These kills follow the saves' own steps instead, one after the
    // first, then after the second, and so on to the last.
    constexpr int kStepTrials = 100;
    for (int trial = 0; trial < kStepTrials && !HasFatalFailure(); ++trial) {
        const int step = 1 + trial % steps;
        killAfter("after step " + std::to_string(step) + " of " + std::to_string(steps) + " of the saves",
            [&changes, step] { changes.Await(step, std::chrono::seconds(10)); });
    }
    if (HasFatalFailure())
        return;
    std::cout << kTrials + kStepTrials << " kills within " << longest << " us of SIGTERM: " << allOld
              << " before any file was replaced, " << mixed << " between files, " << allNew << " after all\n";
    // A sweep proves something only when a fair share of its kills land between the
    // first file replaced and the last.
    EXPECT_GE(mixed, (kTrials + kStepTrials) / 10) << "too few kills landed while the files were being replaced";

    // An interrupted save leaves no temporary file for good: the next start removes it.
    const pid_t last = program.Start();
    ASSERT_TRUE(WaitUntilRunning(last));
    ::kill(last, SIGTERM);
    ASSERT_EQ(::waitpid(last, &status, 0), last);
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "brenta" || old.contains(entry.path())) << "left behind: " << name;
    }
}

} // namespace
} // namespace brenta::test
