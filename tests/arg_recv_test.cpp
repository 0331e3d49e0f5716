// arg_recv: the two numbers of its command line in one Qt debug message on
// standard error, then one character read from standard input, then Qt's
// event loop, which nothing ends but the test.
#include "tables.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/syscall.h>

namespace {

// Qt writes its messages to standard error only when it thinks that is a
// console, and a Qt built with journald would log a pipe's messages there
// instead. Forcing standard error makes the tests the same on every build.
harness::Env qt_env(harness::Env env)
{
    env.push_back("QT_FORCE_STDERR_LOGGING=1");
    return env;
}

// Whether the process sleeps in read() on its standard input: the system
// call it is blocked in, with its first argument, from /proc.
bool reading_stdin(pid_t pid)
{
    std::ifstream f("/proc/" + std::to_string(pid) + "/syscall");
    std::string line;
    std::getline(f, line);
    return line.rfind(std::to_string(SYS_read) + " 0x0 ", 0) == 0;
}

// Pumps the process's output until the condition holds or the time is up.
bool wait_until(harness::Process& p, const std::function<bool()>& done, harness::ms timeout = 10s)
{
    auto until = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        p.collect(10ms);
    }
    return true;
}

const std::string caption = "this is arg_recv.bin    ";  // the caption, then four blanks

struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string numbers;  // what follows the caption on the line
};

const Case cases[] = {
    {"LaunchersNumbers", {"3.1415", "2.7"}, "3.1415     2.7"},
    {"CommaIsNoDecimalPoint", {"1,5", "2.5"}, "0     2.5"},
    {"BlanksAroundDigits", {"  4.25 ", "\t-8 "}, "4.25     -8"},
    {"Letters", {"abc", "7x"}, "0     0"},
    {"ThirdArgumentIgnored", {"1.5", "2", "3"}, "1.5     2"},
    {"OneArgument", {"6.5"}, "6.5     0"},
    // Nothing is read beyond the argument vector: both numbers are 0.
    {"NoArgument", {}, "0     0"},
    // A double is written with at most six significant digits.
    {"SixSignificantDigits", {"3.14159265", "1234567"}, "3.14159     1.23457e+06"},
};

// Test names say which case failed; the bytes are in the failure itself.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class ArgRecv : public testing::TestWithParam<std::tuple<Case, harness::Locale>> {};

TEST_P(ArgRecv, WritesTheMessageReadsACharacterAndStaysRunning)
{
    const auto& [c, locale] = GetParam();
    harness::Process p(
        harness::Spawn(harness::program("arg_recv.bin"), c.args, qt_env(locale.env)));

    // The message is complete before the program waits for the character.
    ASSERT_TRUE(wait_until(p, [&] { return reading_stdin(p.pid()); })) << p.err();
    p.collect(100ms);
    EXPECT_EQ(p.err(), caption + c.numbers + "\n");
    EXPECT_EQ(p.out(), "");

    // After the character it sits in the event loop, and says nothing more.
    p.send("x\n");
    EXPECT_TRUE(wait_until(p, [&] { return !reading_stdin(p.pid()); }));
    p.collect(300ms);
    EXPECT_TRUE(p.running());
    EXPECT_FALSE(reading_stdin(p.pid()));
    EXPECT_EQ(p.err(), caption + c.numbers + "\n");
    EXPECT_EQ(p.out(), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, ArgRecv,
                         testing::Combine(testing::ValuesIn(cases),
                                          testing::ValuesIn(harness::locales)),
                         harness::JoinedNames());

// With no argument there is no entry 2: what lies after the argument vector
// (the environment, on Linux) must not be taken for the second number.
TEST(ArgRecvInput, NoArgumentReadsNothingBeyondTheArguments)
{
    harness::Process p(harness::Spawn(harness::program("arg_recv.bin"), {}, qt_env({"2.5"})));
    ASSERT_TRUE(p.wait_for_err("\n"));
    EXPECT_EQ(p.err(), caption + "0     0\n");
}

// At the end of standard input getchar returns at once: into the event loop.
TEST(ArgRecvInput, EndOfInputLeadsIntoTheEventLoop)
{
    harness::Process p(
        harness::Spawn(harness::program("arg_recv.bin"), {"1", "2"}, qt_env(harness::utf8_env())));
    p.close_stdin();
    ASSERT_TRUE(p.wait_for_err("\n"));
    p.collect(300ms);
    EXPECT_TRUE(p.running());
    EXPECT_FALSE(reading_stdin(p.pid()));
    EXPECT_EQ(p.err(), caption + "1     2\n");
}

}  // namespace
