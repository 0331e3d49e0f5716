// The key wait, seen from a terminal: it keeps the window open without
// echoing or reading the key, sleeps instead of spinning, and leaves the
// terminal as it found it on every way out.
//
// The subject is builtin_types, a lesson that reads a line and two numbers
// from the terminal and then waits.
#include "harness.h"

#include <csignal>
#include <cstring>
#include <thread>

#include <gtest/gtest.h>

namespace {

using harness::Terminal;

const std::string result_line = "7 = 3  +  4\r\n";

bool same_settings(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}

bool waiting_mode(const termios& t)
{
    return (t.c_lflag & (ICANON | ECHO)) == 0;
}

// Starts the lesson, types its input and returns once it waits for a key.
void start_waiting(Terminal& t)
{
    ASSERT_TRUE(t.wait_for("Ввод с клавиатуры  \r\n"));
    t.type("строка\n");
    ASSERT_TRUE(t.wait_for("Set data  x and  y\r\n"));
    t.type("3 4\n");
    ASSERT_TRUE(t.wait_for(result_line));
    for (int i = 0; i < 500 && !waiting_mode(t.settings()); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(waiting_mode(t.settings()));
}

TEST(KeyWait, KeyEndsItUnechoedAndUnread)
{
    Terminal t(harness::program("builtin_types"));
    termios before = t.settings();
    start_waiting(t);
    t.collect(300ms);
    ASSERT_EQ(t.wait_exit(0ms).exited, false) << "it must wait for the key";

    std::size_t shown = t.screen().size();
    t.type("k");
    auto e = t.wait_exit(5s);
    ASSERT_TRUE(e.exited);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(t.screen().substr(shown), "") << "nothing is echoed or written after the key";
    EXPECT_EQ(t.unread_input(), "k");
    EXPECT_TRUE(same_settings(t.settings(), before));
}

TEST(KeyWait, EverythingIsOnTheScreenWhileItWaits)
{
    Terminal t(harness::program("builtin_types"));
    start_waiting(t);
    EXPECT_EQ(t.screen(), "Встроенные типы  данных \r\nВывод на экран.  Ввод с клавиатуры  \r\n"
                          "строка\r\nстрока\r\nSet data  x and  y\r\n3 4\r\n" +
                              result_line);
}

TEST(KeyWait, KeyTypedAheadEndsItAtOnce)
{
    Terminal t(harness::program("builtin_types"));
    ASSERT_TRUE(t.wait_for("Ввод с клавиатуры  \r\n"));
    t.type("строка\n3 4\nq");  // q is typed before the wait begins
    auto e = t.wait_exit(5s);
    ASSERT_TRUE(e.exited);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(t.unread_input(), "q");
}

TEST(KeyWait, SleepsInsteadOfSpinning)
{
    Terminal t(harness::program("builtin_types"));
    start_waiting(t);
    double before = t.cpu_seconds();
    t.collect(1s);
    double used = t.cpu_seconds() - before;
    EXPECT_LT(used, 0.05) << "a busy poll would use about a second";
    t.type(" ");
    EXPECT_TRUE(t.wait_exit(5s).exited);
}

struct Ending {
    const char* name;
    int signal;
    const char* keys;  // typed to raise it, or null to send it from outside
};

class KeyWaitEnding : public testing::TestWithParam<Ending> {};

TEST_P(KeyWaitEnding, RestoresTheTerminal)
{
    const Ending& how = GetParam();
    Terminal t(harness::program("builtin_types"));
    termios before = t.settings();
    start_waiting(t);
    if (how.keys)
        t.type(how.keys);
    else
        kill(t.pid(), how.signal);
    auto e = t.wait_exit(5s);
    ASSERT_TRUE(e.exited);
    EXPECT_EQ(e.signal, how.signal) << "it dies of the signal, as without the wait";
    EXPECT_TRUE(same_settings(t.settings(), before));
}

INSTANTIATE_TEST_SUITE_P(Signals, KeyWaitEnding,
                         testing::Values(Ending{"CtrlC", SIGINT, "\x03"},
                                         Ending{"CtrlBackslash", SIGQUIT, "\x1c"},
                                         Ending{"Term", SIGTERM, nullptr},
                                         Ending{"Hangup", SIGHUP, nullptr}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeyWait, CtrlZRestoresTheTerminalAndFgResumesTheWait)
{
    Terminal t(harness::program("builtin_types"));
    termios before = t.settings();
    start_waiting(t);

    t.type("\x1a");
    ASSERT_TRUE(t.wait_stopped());
    EXPECT_TRUE(same_settings(t.settings(), before)) << "the shell gets a sane terminal";

    t.resume();
    for (int i = 0; i < 500 && !waiting_mode(t.settings()); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(waiting_mode(t.settings())) << "back in the wait after fg";
    t.collect(200ms);
    ASSERT_FALSE(t.wait_exit(0ms).exited);

    t.type("k");
    auto e = t.wait_exit(5s);
    ASSERT_TRUE(e.exited);
    EXPECT_EQ(e.code, 0);
    EXPECT_TRUE(same_settings(t.settings(), before));
}

// Without a terminal (CI, cron) there is no keyboard: the wait returns at
// once instead of hanging.
TEST(KeyWait, ReturnsAtOnceWithoutATerminal)
{
    auto start = std::chrono::steady_clock::now();
    auto r = harness::run_lesson("builtin_types", "x\n1 2\n");
    EXPECT_TRUE(r.exit.exited);
    EXPECT_EQ(r.exit.code, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

}  // namespace
