// The installed program as a player runs it: its own process, started from its own
// folder, ended by a signal the way a desktop session or a terminal ends it.

#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/TempFolder.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string Content(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

void Pause()
{
    const timespec step{0, 20'000'000};
    ::nanosleep(&step, nullptr);
}

class Program : public ::testing::Test {
protected:
    // Copies the program into folder and starts it there, with a home of its own
    // for the settings store and its standard error kept in a file; extraEnv adds
    // to its environment.
    void Spawn(const fs::path& folder, const std::vector<std::string>& extraEnv = {})
    {
        fs::create_directories(folder);
        exe_ = folder / "brenta";
        fs::copy_file(BRENTA_EXECUTABLE, exe_);

        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, 2, ErrorFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "LANG=C.UTF-8", "LC_ALL=C.UTF-8",
            "HOME=" + Home().string(), "XDG_CONFIG_HOME=" + (Home() / ".config").string()};
        for (char** e = environ; *e != nullptr; ++e)
            if (std::string(*e).starts_with("ASAN_OPTIONS=") || std::string(*e).starts_with("UBSAN_OPTIONS="))
                env.emplace_back(*e);
        env.insert(env.end(), extraEnv.begin(), extraEnv.end());
        std::vector<char*> envp;
        envp.reserve(env.size() + 1);
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string path = exe_.string();
        char* argv[] = {path.data(), nullptr};
        ASSERT_EQ(::posix_spawn(&pid_, path.c_str(), &files, nullptr, argv, envp.data()), 0);
        posix_spawn_file_actions_destroy(&files);
    }

    void Launch(const fs::path& folder)
    {
        ASSERT_NO_FATAL_FAILURE(Spawn(folder));
        // Ready once it catches SIGTERM: the window is up and its shut-down armed.
        for (int i = 0; i < 1500 && !CatchesSigterm(); ++i)
            Pause();
        ASSERT_TRUE(CatchesSigterm()) << Content(ErrorFile());
    }

    // Sends the signal and waits for the process to end; false when it did not.
    bool EndsOn(int signalNumber)
    {
        ::kill(pid_, signalNumber);
        return Ends();
    }

    // Waits for the process to end; false when it did not.
    bool Ends()
    {
        for (int i = 0; i < 1500; ++i) {
            if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
                pid_ = -1;
                return true;
            }
            Pause();
        }
        return false;
    }

    void TearDown() override
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool CatchesSigterm() const
    {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.starts_with("SigCgt:"))
                return (std::stoull(line.substr(7), nullptr, 16) >> (SIGTERM - 1)) & 1;
        return false;
    }

    fs::path Home() const { return temp_.Path() / "home"; }
    fs::path ErrorFile() const { return temp_.Path() / "stderr.txt"; }

    brenta::test::TempFolder temp_{"brenta-program"};
    fs::path exe_;
    pid_t pid_ = -1;
    int status_ = 0;
};

// A folder name in Latin-1 is no valid UTF-8: the program must still read and
// write its files there, and a stored prices file named like the program itself
// must not overwrite it.
TEST_F(Program, WorksFromAFolderWhoseNameIsNotUtf8)
{
    const fs::path folder = temp_.Path() / "Br\xE9nta";
    Put(folder / "skills.dat", "4,3,5,2\n");
    Put(Home() / ".config" / "BRENTA" / "BRENTA.ini", "[Options]\nPricesFile=brenta\n");
    Launch(folder);
    const std::string program = Content(exe_);

    ASSERT_TRUE(EndsOn(SIGTERM));
    EXPECT_TRUE(WIFEXITED(status_) && WEXITSTATUS(status_) == 0) << Content(ErrorFile());
    EXPECT_EQ(Content(folder / "skills.dat"), "4,3,5,2\r\n");
    EXPECT_TRUE(fs::is_regular_file(folder / "matprices.dat"));
    EXPECT_TRUE(fs::is_regular_file(folder / "ownedbps.dat"));
    EXPECT_EQ(Content(exe_), program);
}

// Nobody answers a message box when the session ends: what could not be saved is
// said on standard error, and the program ends.
TEST_F(Program, ASignalWithAnUnwritableFileReportsOnStandardErrorAndEnds)
{
    const fs::path folder = temp_.Path() / "Brenta";
    // A link into a folder that does not exist: nothing to read at start-up, and the
    // close cannot write there.
    fs::create_directories(folder);
    fs::create_symlink(temp_.Path() / "missing" / "prices.dat", folder / "matprices.dat");
    Launch(folder);

    ASSERT_TRUE(EndsOn(SIGTERM)) << "still running after SIGTERM";
    EXPECT_TRUE(WIFEXITED(status_)) << Content(ErrorFile());
    EXPECT_NE(Content(ErrorFile()).find("matprices.dat"), std::string::npos) << Content(ErrorFile());
    EXPECT_EQ(Content(folder / "skills.dat"), "0,0,0,0\r\n");
}

// The start-up measurement's switch: the program quits by itself once its window is
// painted, through the same shut-down as any close, so its files are saved.
TEST_F(Program, QuitsAfterItsFirstFrameWhenTheMeasurementAsks)
{
    const fs::path folder = temp_.Path() / "Brenta";
    Put(folder / "skills.dat", "4,3,5,2\n");
    ASSERT_NO_FATAL_FAILURE(Spawn(folder, {"BRENTA_QUIT_AFTER_START=1"}));

    ASSERT_TRUE(Ends()) << "still running";
    EXPECT_TRUE(WIFEXITED(status_) && WEXITSTATUS(status_) == 0) << Content(ErrorFile());
    EXPECT_EQ(Content(folder / "skills.dat"), "4,3,5,2\r\n");
    EXPECT_TRUE(fs::is_regular_file(folder / "ownedbps.dat"));
}

} // namespace
