// builtin_types: a wide line echoed, then two ints read narrowly and summed.
// The wide read must leave the numbers on the same input for the narrow read.
#include "tables.h"

#include <gtest/gtest.h>

namespace {

const std::string captions = "Встроенные типы  данных \n"
                             "Вывод на экран.  Ввод с клавиатуры  \n";
const std::string request = "Set data  x and  y\n";

struct Case {
    const char* name;
    std::string input;
    std::string echo;    // the line written back
    std::string result;  // the sum line
};

const Case cases[] = {
    {"Sum", "Привет\n3 4\n", "Привет\n", "7 = 3  +  4\n"},
    {"Negative", "строка\n-5 3\n", "строка\n", "-2 = -5  +  3\n"},
    {"Zeros", "x\n0 0\n", "x\n", "0 = 0  +  0\n"},
    {"PlusSign", "x\n+3 4\n", "x\n", "7 = 3  +  4\n"},
    {"EmptyLine", "\n1 2\n", "\n", "3 = 1  +  2\n"},
    {"BlanksKept", "  два  \n1 2\n", "  два  \n", "3 = 1  +  2\n"},
    {"NumbersOnSeparateLines", "x\n\n\n7\n\n8\n", "x\n", "15 = 7  +  8\n"},
    {"RestOfLineUnread", "x\n4 5 6 text\n", "x\n", "9 = 4  +  5\n"},
    // 2.5: x takes 2, y meets the point and gets 0; the 3 is never read.
    {"FractionForX", "x\n2.5 3\n", "x\n", "2 = 2  +  0\n"},
    // Letters for x: x is 0, y is never read and keeps its 0.
    {"LettersForX", "x\nabc 5\n", "x\n", "0 = 0  +  0\n"},
    {"LettersForY", "x\n5 abc\n", "x\n", "5 = 5  +  0\n"},
    {"EndOfInputAfterLine", "x\n", "x\n", "0 = 0  +  0\n"},
    {"EndOfInputAfterX", "x\n9", "x\n", "9 = 9  +  0\n"},
    {"EndOfInputAtOnce", "", "\n", "0 = 0  +  0\n"},
    // The sum wraps to 32 bits as on the course's home platform.
    {"SumOverflowsUp", "x\n2147483647 1\n", "x\n", "-2147483648 = 2147483647  +  1\n"},
    {"SumOverflowsDown", "x\n-2147483648 -1\n", "x\n", "2147483647 = -2147483648  +  -1\n"},
    // Out of range: the nearest int is stored and the stream fails.
    {"XTooLarge", "x\n99999999999 5\n", "x\n", "2147483647 = 2147483647  +  0\n"},
    {"XTooSmall", "x\n-99999999999 5\n", "x\n", "-2147483648 = -2147483648  +  0\n"},
    {"YTooLarge", "x\n1 3000000000\n", "x\n", "-2147483648 = 1  +  2147483647\n"},
    {"InvalidBytesInLine", "\xff\xd0 bad\n1 2\n", "\xff\xd0 bad\n", "3 = 1  +  2\n"},
    {"CutSequenceBeforeNumbers", "ok\xd0\n1 2\n", "ok\xd0\n", "3 = 1  +  2\n"},
};

// Test names say which case failed; the bytes are in the failure itself.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class BuiltinTypes : public testing::TestWithParam<std::tuple<Case, harness::Locale>> {};

TEST_P(BuiltinTypes, EchoesTheLineAndSumsTheNumbers)
{
    const auto& [c, locale] = GetParam();
    auto r = harness::run_lesson("builtin_types", c.input, locale.env);
    EXPECT_EQ(r.out, captions + c.echo + request + c.result);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.exit.exited);
    EXPECT_EQ(r.exit.code, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, BuiltinTypes,
                         testing::Combine(testing::ValuesIn(cases),
                                          testing::ValuesIn(harness::locales)),
                         harness::JoinedNames());

}  // namespace
