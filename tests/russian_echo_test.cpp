// russian_echo: a caption, then the first typed line written back unchanged.
// Every case runs with LANG=C.UTF-8 and with no locale at all; a terminal
// shows UTF-8 in both, so the bytes must be the same.
#include "tables.h"

#include <gtest/gtest.h>

namespace {

const std::string caption = "Русский вывод\n";

struct Case {
    const char* name;
    std::string input;
    std::string echo;  // what follows the caption
};

std::string repeat(const std::string& s, std::size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    while (n-- > 0)
        out += s;
    return out;
}

const Case cases[] = {
    {"Cyrillic", "Привет, мир\n", "Привет, мир\n"},
    {"Latin_and_digits", "Hello 123\n", "Hello 123\n"},
    {"EmptyLine", "\n", "\n"},
    {"BlanksKeptAtBothEnds", "  два  пробела \t\n", "  два  пробела \t\n"},
    {"OnlyFirstLineRead", "первая\nвторая\n", "первая\n"},
    {"EndOfInput", "", "\n"},
    {"NoLineEndBeforeEndOfInput", "конец", "конец\n"},
    // Bytes that are no UTF-8 come back as they were.
    {"InvalidBytes", "\xff\xfe abc \x80\n", "\xff\xfe abc \x80\n"},
    {"CutSequenceBeforeLineEnd", "\xd0\n", "\xd0\n"},
    {"CutSequenceAtEndOfInput", "ab\xe2\x82", "ab\xe2\x82\n"},
    {"OverlongAndSurrogate", "\xc0\xaf \xed\xa0\x80\n", "\xc0\xaf \xed\xa0\x80\n"},
    {"Cp866Bytes", "\x8f\xe0\xa8\xa2\xa5\xe2\n", "\x8f\xe0\xa8\xa2\xa5\xe2\n"},
    {"NulByte", std::string("a\0b\n", 4), std::string("a\0b\n", 4)},
    {"CarriageReturnStays", "строка\r\n", "строка\r\n"},
    {"FourByteCharacter", "\xf0\x9f\x98\x80\n", "\xf0\x9f\x98\x80\n"},
    {"LongLine", repeat("Длинная строка ", 70000) + "\n", repeat("Длинная строка ", 70000) + "\n"},
};

// Test names say which case failed; the bytes are in the failure itself.
void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class RussianEcho : public testing::TestWithParam<std::tuple<Case, harness::Locale>> {};

TEST_P(RussianEcho, WritesCaptionThenTheLine)
{
    const auto& [c, locale] = GetParam();
    auto r = harness::run_lesson("russian_echo", c.input, locale.env);
    EXPECT_EQ(r.out, caption + c.echo);
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(r.exit.exited);
    EXPECT_EQ(r.exit.code, 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, RussianEcho,
                         testing::Combine(testing::ValuesIn(cases),
                                          testing::ValuesIn(harness::locales)),
                         harness::JoinedNames());

// It has no key wait: on a terminal it ends right after the echo.
TEST(RussianEchoTerminal, EndsWithoutWaitingForAKey)
{
    harness::Terminal t(harness::program("russian_echo"));
    ASSERT_TRUE(t.wait_for("Русский вывод\r\n"));
    t.type("Эхо\n");
    auto e = t.wait_exit(5s);
    ASSERT_TRUE(e.exited);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(t.screen(), "Русский вывод\r\nЭхо\r\nЭхо\r\n");
}

}  // namespace
