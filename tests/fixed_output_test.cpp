// The lessons that read nothing: each writes the same bytes on every run,
// in either locale and whatever is typed. stdout is a pipe, so lines ended by
// "\n" alone sit in the C library's buffer: they must still come out, in
// program order, and the greeting that func_math writes with printf must
// stand between the caption and "TestConsole ".
#include "tables.h"

#include <gtest/gtest.h>

namespace {

std::string repeat(const std::string& s, int n)
{
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

std::string numbers(int from, int to)
{
    std::string out;
    for (int i = from; i <= to; ++i)
        out += std::to_string(i) + "\n";
    return out;
}

const std::string names = "Melnart  D.K.\n"
                          "Virokhin P.S.\n"
                          "Tulbane  E.R.\n"
                          "Gorvatin L.M.\n"
                          "Pashev   N.O.\n"
                          "Orlek    T.V.\n";

struct Lesson {
    const char* name;
    std::string out;
};

const Lesson lessons[] = {
    {"func_math", "Учимся использовать функции\n"
                  "Hello World!\n"
                  "TestConsole \n"
                  "x =     10\n"
                  "3.14,   6.284\n"
                  "10000\n"
                  "100\n"},
    {"logic_ops", "Логические операции\n"
                  " 4 5 22\n"
                  "z <= 25\n"
                  "z >  18\n"
                  " a = 0\n"
                  " a = false \n"
                  " b = true \n"},
    {"point_struct", " x = 25 y = 75\n"},
    {"point_class", " x = 10 y = 20\n"},
    {"inherit_virtual", " наследование и виртуальные функции \n" +
                            repeat("Base::Constructor    \nDerived::Constructor()\n", 3) +
                            "\n\n\n" + repeat("Derived::Destructor()\nBase::Destructor     \n", 3)},
    {"ctor_show", "B Constructore\na = 4 b = 7\n"},
    {"copy_ctor", "a = 15 b = 44\nKavrel\na = 15 b = 44\nKavrel\n"},
    {"int_vector", "25\n" + numbers(0, 24)},
    {"name_vector",
     "6\n" + names + "-------------------\n" + names + "===================\n" + names},
};

struct Typed {
    const char* name;
    std::string input;
};

// Test names say which case failed; the bytes are in the failure itself.
void PrintTo(const Lesson& l, std::ostream* os)
{
    *os << l.name;
}
void PrintTo(const Typed& t, std::ostream* os)
{
    *os << t.name;
}

// More than a pipe holds: the lesson ends without reading it, and that must
// not upset the test either.
const Typed typed[] = {{"NothingTyped", ""},
                       {"TextTyped", "текст 12 x\n\n"},
                       {"MoreThanAPipeHolds", std::string(1 << 20, 'x')}};

class FixedOutput : public testing::TestWithParam<std::tuple<Lesson, harness::Locale, Typed>> {};

TEST_P(FixedOutput, WritesTheSameBytesEveryRun)
{
    const auto& [lesson, locale, input] = GetParam();
    auto r = harness::run_lesson(lesson.name, input.input, locale.env);
    EXPECT_EQ(r.out, lesson.out);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.exit.exited);
    EXPECT_EQ(r.exit.code, 0);
}

INSTANTIATE_TEST_SUITE_P(Lessons, FixedOutput,
                         testing::Combine(testing::ValuesIn(lessons),
                                          testing::ValuesIn(harness::locales),
                                          testing::ValuesIn(typed)),
                         harness::JoinedNames());

}  // namespace
