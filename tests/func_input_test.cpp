// func_input: three captions, the typed line written back, the greeting of
// sub() through puts, then five values. stdout is a pipe here, so the C
// library buffers it: the greeting must still stand between the echo and
// "TestConsole ", never before or after.
#include "tables.h"

#include <gtest/gtest.h>

namespace {

const std::string captions = "Учимся использовать функции\n"
                             "Вывод на экран.  Ввод с клавиатуры  \n"
                             " Введите текст с клавиатуры  \n";
const std::string rest = "Hello World!\n"
                         "TestConsole \n"
                         "x =     10\n"
                         "3.14,   6.284\n"
                         "10000\n"
                         "100\n";

struct Case {
    const char* name;
    std::string input;
    std::string echo;  // the line written back
};

const Case cases[] = {
    {"Cyrillic", "Привет, мир\n", "Привет, мир\n"},
    {"Latin", "Hello 123\n", "Hello 123\n"},
    {"EmptyLine", "\n", "\n"},
    {"BlanksKeptAtBothEnds", "  два  пробела \t\n", "  два  пробела \t\n"},
    {"OnlyFirstLineRead", "первая\nвторая\n", "первая\n"},
    {"EndOfInput", "", "\n"},
    {"NoLineEndBeforeEndOfInput", "конец", "конец\n"},
    {"LongLineReadWhole", std::string(100000, 'w') + "\n", std::string(100000, 'w') + "\n"},
};

// Test names say which case failed; the bytes are in the failure itself.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class FuncInput : public testing::TestWithParam<std::tuple<Case, harness::Locale>> {};

TEST_P(FuncInput, EchoesTheLineThenGreetingThenValues)
{
    const auto& [c, locale] = GetParam();
    auto r = harness::run_lesson("func_input", c.input, locale.env);
    EXPECT_EQ(r.out, captions + c.echo + rest);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.exit.exited);
    EXPECT_EQ(r.exit.code, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, FuncInput,
                         testing::Combine(testing::ValuesIn(cases),
                                          testing::ValuesIn(harness::locales)),
                         harness::JoinedNames());

}  // namespace
