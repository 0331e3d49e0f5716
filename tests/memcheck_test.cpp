// Every console lesson once under valgrind's memcheck, with ordinary input,
// failed reads and the end of input: no invalid access, no leak, and no
// uninitialised byte reaching the output (memcheck checks what write() is
// given). The output under valgrind is the same as without it.
#include "harness.h"

#include <gtest/gtest.h>

#ifndef VALGRIND
#error "VALGRIND must name the valgrind program"
#endif

namespace {

struct Case {
    const char* lesson;
    const char* name;
    std::string input;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.lesson << "/" << c.name;
}

const Case cases[] = {
    {"russian_echo", "Line", "Привет\n"},
    {"russian_echo", "InvalidBytes", "\xff\xd0\n"},
    {"russian_echo", "EndOfInput", ""},
    {"builtin_types", "Numbers", "строка\n3 4\n"},
    {"builtin_types", "FailedRead", "x\nabc\n"},
    {"builtin_types", "EndOfInput", ""},
    {"func_input", "Line", "строка\n"},
    {"func_input", "EndOfInput", ""},
    {"func_math", "NoInput", ""},
    {"var_decl", "Values", "q 12 -7 2.50 3.14159265\n"},
    {"var_decl", "FailedRead", "q abc\n"},
    {"var_decl", "EndOfInput", ""},
    {"logic_ops", "NoInput", ""},
    {"point_struct", "NoInput", ""},
    {"point_class", "NoInput", ""},
    {"inherit_virtual", "NoInput", ""},
    {"ctor_show", "NoInput", ""},
    {"copy_ctor", "NoInput", ""},
    {"int_vector", "NoInput", ""},
    {"name_vector", "NoInput", ""},
};

class Memcheck : public testing::TestWithParam<Case> {};

TEST_P(Memcheck, CleanRun)
{
    const Case& c = GetParam();
    auto plain = harness::run_lesson(c.lesson, c.input);
    auto checked = harness::run(
        harness::Spawn(VALGRIND, {"--quiet", "--error-exitcode=99", "--leak-check=full",
                                  "--show-leak-kinds=definite,indirect,possible",
                                  "--errors-for-leak-kinds=definite,indirect,possible",
                                  "--track-origins=yes", harness::program(c.lesson)}),
        c.input, 120s);
    ASSERT_TRUE(checked.exit.exited);
    EXPECT_EQ(checked.exit.code, 0) << checked.err;
    EXPECT_EQ(checked.err, "");
    EXPECT_EQ(checked.out, plain.out);
}

INSTANTIATE_TEST_SUITE_P(Lessons, Memcheck, testing::ValuesIn(cases), [](const auto& info) {
    return std::string(info.param.lesson) + "_" + info.param.name;
});

}  // namespace
