// arg_launch: starts arg_recv.bin on its own with 3.1415 and 2.7, prints
// nothing and never ends; the receiver lives on when the launcher ends.
//
// The receiver is detached: it is no child of the launcher and runs in a
// session of its own. It inherits the harness's token, though, so it is
// found among the token's carriers, and ended with them.
#include "harness.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// See arg_recv_test.cpp: the receiver's message goes to standard error on
// every build of Qt.
harness::Env qt_env()
{
    harness::Env env = harness::utf8_env();
    env.push_back("QT_FORCE_STDERR_LOGGING=1");
    return env;
}

const std::string message = "this is arg_recv.bin    3.1415     2.7\n";

std::vector<std::string> cmdline(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::vector<std::string> argv;
    std::string arg;
    while (std::getline(f, arg, '\0'))
        argv.push_back(arg);
    return argv;
}

fs::path proc_link(pid_t pid, const char* name)
{
    std::error_code ec;
    return fs::read_symlink("/proc/" + std::to_string(pid) + "/" + name, ec);
}

// Running or sleeping, and not a zombie waiting to be reaped.
bool alive(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(f, line);
    auto close_paren = line.rfind(')');
    return close_paren != std::string::npos && close_paren + 2 < line.size() &&
           line[close_paren + 2] != 'Z';
}

// Ended and reaped: no trace of it is left.
bool gone(pid_t pid)
{
    return kill(pid, 0) != 0 && errno == ESRCH;
}

// Everything the launcher has started that still runs.
std::vector<pid_t> receivers(const harness::Process& launcher)
{
    std::vector<pid_t> found = launcher.carriers();
    found.erase(std::remove(found.begin(), found.end(), launcher.pid()), found.end());
    return found;
}

class ArgLaunch : public testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/arg_launch_test.XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = fs::canonical(name);
    }

    void TearDown() override
    {
        // Every launcher is gone by now, and so is everything it started.
        for (pid_t pid : seen)
            EXPECT_TRUE(gone(pid)) << "process " << pid << " is left over";
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    // Starts the launcher in `dir`, away from the directory of the programs.
    harness::Spawn launcher(std::string path = harness::program("arg_launch"),
                            std::vector<std::string> args = {})
    {
        return harness::Spawn(std::move(path), std::move(args), qt_env(), dir.string());
    }

    // Waits for the one receiver of this launcher and returns it (-1: none).
    pid_t wait_for_receiver(harness::Process& p)
    {
        auto until = std::chrono::steady_clock::now() + 10s;
        seen.push_back(p.pid());
        while (std::chrono::steady_clock::now() < until) {
            std::vector<pid_t> found = receivers(p);
            // Until it has been executed, the receiver is a copy of the launcher.
            if (found.size() == 1 && proc_link(found[0], "exe").filename() == "arg_recv.bin") {
                seen.push_back(found[0]);
                return found[0];
            }
            p.collect(10ms);
        }
        return -1;
    }

    fs::path dir;  // the launcher's working directory
    std::vector<pid_t> seen;
};

class ArgLaunchArgs : public ArgLaunch,
                      public testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(ArgLaunchArgs, StartsOneReceiverWithTheTwoNumbersInItsOwnDirectory)
{
    harness::Process p(launcher(harness::program("arg_launch"), GetParam()));
    pid_t r = wait_for_receiver(p);
    ASSERT_GT(r, 0) << "no receiver started";

    std::vector<std::string> argv = cmdline(r);
    ASSERT_EQ(argv.size(), 3u);
    EXPECT_EQ(fs::path(argv[0]).filename(), "arg_recv.bin");
    EXPECT_EQ(argv[1], "3.1415");
    EXPECT_EQ(argv[2], "2.7");
    // The receiver that lies beside the launcher, started where the launcher runs.
    EXPECT_EQ(proc_link(r, "exe"), fs::canonical(harness::program("arg_recv.bin")));
    EXPECT_EQ(proc_link(r, "cwd"), dir);

    // Standard error, which the receiver shares, holds its message alone.
    EXPECT_TRUE(p.wait_for_err(message));
    p.collect(300ms);
    EXPECT_EQ(p.err(), message);
    EXPECT_EQ(p.out(), "");
    EXPECT_TRUE(p.running());
    EXPECT_EQ(receivers(p), std::vector<pid_t>{r});
}

// The launcher's own arguments change nothing.
INSTANTIATE_TEST_SUITE_P(Args, ArgLaunchArgs,
                         testing::Values(std::vector<std::string>{},
                                         std::vector<std::string>{"1", "2"},
                                         std::vector<std::string>{"-x", "9.5", "arg_recv.bin"}),
                         [](const auto& info) {
                             return "Args" + std::to_string(info.param.size());
                         });

TEST_F(ArgLaunch, EndingTheLauncherLeavesTheReceiverRunning)
{
    harness::Process p(launcher());
    pid_t r = wait_for_receiver(p);
    ASSERT_GT(r, 0) << "no receiver started";

    kill(-p.pid(), SIGINT);  // what Ctrl-C sends to the launcher's group
    harness::Exit e = p.wait_exit();
    ASSERT_TRUE(e.exited);
    EXPECT_EQ(e.signal, SIGINT);
    p.collect(300ms);
    EXPECT_TRUE(alive(r));
}

TEST_F(ArgLaunch, TwoLaunchesStartTwoReceivers)
{
    harness::Process first(launcher());
    harness::Process second(launcher());
    pid_t r1 = wait_for_receiver(first);
    pid_t r2 = wait_for_receiver(second);
    ASSERT_GT(r1, 0);
    ASSERT_GT(r2, 0);
    EXPECT_NE(r1, r2);
    EXPECT_TRUE(first.wait_for_err(message));
    EXPECT_TRUE(second.wait_for_err(message));
    first.collect(300ms);
    EXPECT_EQ(receivers(first), std::vector<pid_t>{r1});
    EXPECT_EQ(receivers(second), std::vector<pid_t>{r2});
    EXPECT_TRUE(alive(r1));
    EXPECT_TRUE(alive(r2));
}

// A launcher alone in a directory, with PATH not naming the programs'
// directory either, finds no receiver and says nothing about it.
TEST_F(ArgLaunch, WithoutReceiverPrintsNothingAndKeepsRunning)
{
    fs::path alone = dir / "arg_launch";
    fs::copy_file(harness::program("arg_launch"), alone);
    harness::Process p(launcher(alone.string()));
    seen.push_back(p.pid());
    p.collect(1s);
    EXPECT_TRUE(p.running());
    EXPECT_EQ(p.err(), "");
    EXPECT_EQ(p.out(), "");
    EXPECT_TRUE(receivers(p).empty());
}

}  // namespace
