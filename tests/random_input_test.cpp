// Random input for every lesson that reads some: random bytes, invalid UTF-8,
// NUL bytes, huge and signed numbers, no line end, and lines of tens of
// megabytes. Whatever comes in, a lesson ends with status 0, in time, and
// writes output of the expected shape; the typed line comes back unchanged.
#include "harness.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>
#include <regex>
#include <string>

#include <gtest/gtest.h>

namespace {

// A fixed seed: a failure can be run again, and the case number says which.
std::mt19937 make_generator(std::uint32_t lesson_seed)
{
    return std::mt19937(20261211u + lesson_seed);
}

std::string pick(std::mt19937& gen, std::initializer_list<const char*> choices)
{
    auto i = gen() % choices.size();
    return *(choices.begin() + static_cast<std::ptrdiff_t>(i));
}

std::string random_bytes(std::mt19937& gen, std::size_t max_len)
{
    std::string s;
    for (std::size_t n = gen() % (max_len + 1); n > 0; --n)
        s.push_back(static_cast<char>(gen() % 256));
    return s;
}

std::string random_number(std::mt19937& gen)
{
    return pick(gen, {"", "-", "+", "--", "+-"}) +
           pick(gen, {"0", "7", "2147483647", "2147483648", "-2147483649", "99999999999999999999",
                      "4294967296", "9223372036854775808", "1e10", "3.5", ".5", "1,5", "0x1F",
                      "abc", "\xd0\x96", "inf", "nan", "1e400", "-1e-400"});
}

// A line that a student might type, or something far from it.
std::string random_line(std::mt19937& gen)
{
    switch (gen() % 6) {
    case 0: return random_bytes(gen, 64);
    case 1: return "Привет, " + random_bytes(gen, 8) + " мир";
    case 2: return std::string(gen() % 4, '\0') + "\xff\xfe\xd0";
    case 3: return "  " + random_number(gen) + "  ";
    case 4: return "";
    default: return "\xe2\x82 \xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80";
    }
}

// The rest of the input after the line: numbers, bytes, or nothing at all.
std::string random_tail(std::mt19937& gen)
{
    std::string s;
    for (std::size_t n = gen() % 7; n > 0; --n)
        s += random_number(gen) + pick(gen, {" ", "\n", "\t", "", "\r\n"});
    if (gen() % 4 == 0)
        s += random_bytes(gen, 32);
    return s;
}

std::string first_line(const std::string& input)
{
    return input.substr(0, input.find('\n'));
}

std::string random_input(std::mt19937& gen, int round)
{
    std::string line = random_line(gen);
    if (round == 0)  // one line of 20 MB of Cyrillic text
        for (int i = 0; i < 1000000; ++i)
            line += "Длинная строка";
    bool line_end = gen() % 5 != 0;
    return line + (line_end ? "\n" + random_tail(gen) : "");
}

struct Lesson {
    const char* name;
    std::string before;  // everything up to the echoed line
    std::string after;   // between the echo's line end and the checked tail
    std::regex tail;     // what must follow
};

const std::string int_re = "-?[0-9]+";
const std::string real_re = "-?([0-9]+(\\.[0-9]*)?(e[-+][0-9]+)?|inf|nan)";

const Lesson lessons[] = {
    {"russian_echo", "Русский вывод\n", "", std::regex("")},
    {"builtin_types", "Встроенные типы  данных \nВывод на экран.  Ввод с клавиатуры  \n",
     "Set data  x and  y\n",
     std::regex("(" + int_re + ") = (" + int_re + ")  \\+  (" + int_re + ")\n")},
    {"func_input",
     "Учимся использовать функции\nВывод на экран.  Ввод с клавиатуры  \n Введите текст с "
     "клавиатуры  \n",
     "Hello World!\nTestConsole \nx =     10\n3.14,   6.284\n10000\n100\n", std::regex("")},
};

void PrintTo(const Lesson& l, std::ostream* os)
{
    *os << l.name;
}

class RandomInput : public testing::TestWithParam<Lesson> {};

TEST_P(RandomInput, EndsCleanlyWithOutputOfTheRightShape)
{
    const Lesson& lesson = GetParam();
    auto gen =
        make_generator(static_cast<std::uint32_t>(std::hash<std::string>{}(lesson.name) % 1000));
    for (int round = 0; round < 40; ++round) {
        std::string input = random_input(gen, round);
        auto r = harness::run_lesson(lesson.name, input);
        ASSERT_TRUE(r.exit.exited) << "round " << round << ": no end in time";
        ASSERT_EQ(r.exit.code, 0) << "round " << round << ", signal " << r.exit.signal << "\n"
                                  << r.err;
        ASSERT_EQ(r.err, "") << "round " << round;

        std::string head = lesson.before + first_line(input) + "\n" + lesson.after;
        ASSERT_EQ(r.out.substr(0, head.size()), head) << "round " << round;
        std::string rest = r.out.substr(std::min(head.size(), r.out.size()));
        std::smatch m;
        ASSERT_TRUE(std::regex_match(rest, m, lesson.tail))
            << "round " << round << ": " << testing::PrintToString(rest);
        if (m.size() == 4) {  // z = x + y, wrapped to 32 bits
            auto wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(std::stol(m[2])) +
                                                     static_cast<std::uint32_t>(std::stol(m[3])));
            EXPECT_EQ(std::stol(m[1]), wrapped) << "round " << round << ": " << rest;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lessons, RandomInput, testing::ValuesIn(lessons),
                         [](const auto& info) { return std::string(info.param.name); });

// var_decl reads five values of five types; whatever they are, six lines of
// fixed shape follow the prompt.
TEST(RandomInputVarDecl, EndsCleanlyWithOutputOfTheRightShape)
{
    const std::string head = "Пример объявления переменных,  массив символов   \n"
                             "Введите:  ch = ?  x = ?   y = ?   z = ?    d = ?\n"
                             "\nTestConsole ...\nWindows 2000\nch =   ";
    const std::regex tail("[^]\n"
                          "x =    " +
                          int_re + ",  y = " + int_re +
                          "\n"
                          "z =    " +
                          real_re + ",  d = " + real_re + "\n");
    auto gen = make_generator(5);
    for (int round = 0; round < 60; ++round) {
        std::string input = random_line(gen) + pick(gen, {"", " ", "\n"}) + random_tail(gen);
        auto r = harness::run_lesson("var_decl", input);
        ASSERT_TRUE(r.exit.exited) << "round " << round;
        ASSERT_EQ(r.exit.code, 0) << "round " << round << ", signal " << r.exit.signal << "\n"
                                  << r.err;
        ASSERT_EQ(r.out.substr(0, head.size()), head) << "round " << round;
        std::string rest = r.out.substr(std::min(head.size(), r.out.size()));
        EXPECT_TRUE(std::regex_match(rest, tail))
            << "round " << round << ": " << testing::PrintToString(rest);
        if (input.find('\0') == std::string::npos) {
            EXPECT_EQ(rest.find('\0'), std::string::npos)
                << "round " << round << ": a NUL reached the console";
        }
    }
}

}  // namespace

namespace {

// arg_recv's command line: up to four random arguments (no NUL, which no
// argument can hold). It writes one message of fixed shape, reads one
// character and stays in its event loop.
TEST(RandomInputArgRecv, OneMessageOfTheRightShapeThenItRunsOn)
{
    const std::string program = harness::program("arg_recv.bin");
    if (!std::ifstream(program))
        GTEST_SKIP() << "the Qt pair is not built here";
    const std::regex message("this is arg_recv\\.bin    " + real_re + "     " + real_re + "\n");
    auto gen = make_generator(51);
    for (int round = 0; round < 25; ++round) {
        std::vector<std::string> args;
        for (std::size_t n = gen() % 5; n > 0; --n) {
            std::string a = gen() % 2 ? random_number(gen) : random_bytes(gen, 16);
            a.erase(std::remove(a.begin(), a.end(), '\0'), a.end());
            args.push_back(a);
        }
        harness::Process p(harness::Spawn(program, args, {"QT_FORCE_STDERR_LOGGING=1"}));
        ASSERT_TRUE(p.wait_for_err("\n")) << "round " << round << ": no message";
        p.send(random_bytes(gen, 3) + "\n");
        p.collect(100ms);
        EXPECT_TRUE(p.running()) << "round " << round << ": it must stay in its event loop";
        EXPECT_TRUE(std::regex_match(p.err(), message))
            << "round " << round << ": " << testing::PrintToString(p.err());
        EXPECT_EQ(p.out(), "") << "round " << round;
    }
}

}  // namespace
