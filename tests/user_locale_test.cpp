// Which encoding the code-page set-up chooses on Linux: the user's own when it
// can show Cyrillic, UTF-8 otherwise. The non-UTF-8 locales are compiled into
// a temporary directory with localedef, so the test needs no system locales.
#include "harness.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

const std::string utf8_caption = "Русский вывод\n";
const std::string koi8_caption = "\xf2\xd5\xd3\xd3\xcb\xc9\xca \xd7\xd9\xd7\xcf\xc4\n";
const std::string koi8_line = "\xf0\xd2\xc9\xd7\xc5\xd4\n";  // "Привет"

class UserLocale : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char dir[] = "/tmp/course-locales-XXXXXX";
        ASSERT_NE(mkdtemp(dir), nullptr);
        locales = dir;
        for (const char* def : {"ru_RU:KOI8-R:ru_RU.KOI8-R", "en_US:ISO-8859-1:en_US.ISO-8859-1"}) {
            std::string d = def;
            auto a = d.find(':'), b = d.rfind(':');
            auto r = harness::run({"/usr/bin/localedef",
                                   {"-i", d.substr(0, a), "-f", d.substr(a + 1, b - a - 1),
                                    locales + "/" + d.substr(b + 1)},
                                   {"I18NPATH=/usr/share/i18n"}},
                                  "", 60s);
            ASSERT_TRUE(r.exit.exited && r.exit.code == 0)
                << "localedef (Debian's locales package) could not build " << def << "\n"
                << r.err;
        }
    }
    static void TearDownTestSuite()
    {
        if (!locales.empty())
            harness::run({"/bin/rm", {"-rf", locales}}, "");
    }
    static std::string locales;
};

std::string UserLocale::locales;

struct Case {
    const char* name;
    std::vector<std::string> env;  // LOCPATH is added
    std::string input;
    std::string output;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class UserLocaleCase : public UserLocale, public testing::WithParamInterface<Case> {};

TEST_P(UserLocaleCase, EchoesInTheChosenEncoding)
{
    const Case& c = GetParam();
    harness::Env env = c.env;
    env.push_back("LOCPATH=" + locales);
    auto r = harness::run(harness::Spawn(harness::program("russian_echo"), {}, env), c.input);
    EXPECT_EQ(r.out, c.output);
    EXPECT_EQ(r.exit.code, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, UserLocaleCase,
    testing::Values(
        // KOI8-R shows Cyrillic: the user's terminal gets its own bytes.
        Case{"Koi8r", {"LANG=ru_RU.KOI8-R"}, koi8_line, koi8_caption + koi8_line},
        Case{"Koi8rFromLcAll",
             {"LANG=C", "LC_ALL=ru_RU.KOI8-R"},
             koi8_line,
             koi8_caption + koi8_line},
        // Latin-1 has no Cyrillic letters: UTF-8 instead of question marks.
        Case{"Latin1FallsBackToUtf8", {"LANG=en_US.ISO-8859-1"}, "Эхо\n", utf8_caption + "Эхо\n"},
        Case{"UnknownLocaleFallsBackToUtf8", {"LANG=xx_XX.NOPE"}, "Эхо\n", utf8_caption + "Эхо\n"},
        Case{"CLocaleFallsBackToUtf8", {"LC_ALL=C"}, "Эхо\n", utf8_caption + "Эхо\n"},
        Case{"PosixFallsBackToUtf8", {"LANG=POSIX"}, "Эхо\n", utf8_caption + "Эхо\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
