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

    // One undisturbed run gives the new contents and the length of the shut-down.
    restore();
    const pid_t calibration = program.Start();
    ASSERT_TRUE(WaitUntilRunning(calibration));
    const auto asked = Clock::now();
    ::kill(calibration, SIGTERM);
    int status = 0;
    ASSERT_EQ(::waitpid(calibration, &status, 0), calibration);
    const auto shutdown = Clock::now() - asked;
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::map<fs::path, std::string> fresh;
    for (const auto& [path, content] : old) {
        fresh[path] = Read(path);
        ASSERT_NE(fresh[path], content) << path << " was not rewritten";
        ASSERT_FALSE(fresh[path].empty()) << path;
    }

    // The kills sweep the shut-down from its start to its end in even steps, so
    // every run tries the same moments.
    constexpr int kTrials = 200;
    const auto longest = std::chrono::duration_cast<std::chrono::microseconds>(shutdown).count();
    int allOld = 0, allNew = 0, mixed = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        restore();
        const pid_t child = program.Start();
        ASSERT_TRUE(WaitUntilRunning(child)) << "trial " << trial;
        const auto wait = std::chrono::microseconds(longest * trial / (kTrials - 1));
        ::kill(child, SIGTERM);
        std::this_thread::sleep_for(wait);
        ::kill(child, SIGKILL);
        ASSERT_EQ(::waitpid(child, &status, 0), child);

        int newer = 0;
        for (const auto& [path, content] : old) {
            const std::string now = Read(path);
            ASSERT_TRUE(now == content || now == fresh[path])
                << path << " is neither its old nor its new content after trial " << trial << " (kill "
                << wait.count() << " us after SIGTERM):\n"
                << now;
            newer += now == fresh[path] ? 1 : 0;
        }
        (newer == 0 ? allOld : newer == static_cast<int>(old.size()) ? allNew : mixed)++;
    }
    std::cout << kTrials << " kills within " << longest << " us of SIGTERM: " << allOld
              << " before any file was replaced, " << mixed << " between files, " << allNew << " after all\n";

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
