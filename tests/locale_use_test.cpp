// What each lesson does to the C library's locale, seen from a spy preloaded
// into it: a lesson that writes Cyrillic changes the character-type category
// and nothing else (numbers keep the point); a lesson without Cyrillic does
// not touch the locale at all.
#include "tables.h"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include <gtest/gtest.h>

#ifndef SETLOCALE_SPY
#error "SETLOCALE_SPY must name the spy library"
#endif

namespace {

struct Lesson {
    const char* name;
    bool cyrillic;
};

const Lesson lessons[] = {
    {"russian_echo", true},  {"builtin_types", true}, {"func_input", true},
    {"func_math", true},     {"var_decl", true},      {"logic_ops", true},
    {"point_struct", false}, {"point_class", false},  {"inherit_virtual", true},
    {"ctor_show", false},    {"copy_ctor", false},    {"int_vector", false},
    {"name_vector", false},
};

void PrintTo(const Lesson& l, std::ostream* os)
{
    *os << l.name;
}

// A log file of its own for each run, removed afterwards.
class SpyLog {
public:
    SpyLog()
    {
        char name[] = "/tmp/setlocale-spy-XXXXXX";
        int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        path_ = name;
    }
    ~SpyLog() { unlink(path_.c_str()); }
    SpyLog(const SpyLog&) = delete;
    SpyLog& operator=(const SpyLog&) = delete;

    const std::string& path() const { return path_; }
    std::string text() const
    {
        std::ifstream in(path_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::string path_;
};

class LocaleUse : public testing::TestWithParam<std::tuple<Lesson, harness::Locale>> {};

TEST_P(LocaleUse, OnlyCharacterTypesAndOnlyForCyrillic)
{
    const auto& [lesson, locale] = GetParam();
    SpyLog log;
    harness::Env env = locale.env;
    env.push_back("LD_PRELOAD=" SETLOCALE_SPY);
    env.push_back("SETLOCALE_SPY_LOG=" + log.path());
    auto r = harness::run_lesson(lesson.name, "строка\n1 2 3 4\n", env);
    ASSERT_TRUE(r.exit.exited);
    ASSERT_EQ(r.exit.code, 0) << r.err;

    // One line per call: the category, a blank, the name (maybe empty).
    std::istringstream calls(log.text());
    std::string call;
    int changes = 0;
    while (std::getline(calls, call)) {
        ++changes;
        EXPECT_EQ(call.substr(0, call.find(' ')), std::to_string(LC_CTYPE))
            << "setlocale(" << call << ")";
    }
    if (lesson.cyrillic)
        EXPECT_GT(changes, 0) << "the code-page set-up never ran";
    else
        EXPECT_EQ(changes, 0) << log.text();
}

INSTANTIATE_TEST_SUITE_P(Lessons, LocaleUse,
                         testing::Combine(testing::ValuesIn(lessons),
                                          testing::ValuesIn(harness::locales)),
                         harness::JoinedNames());

}  // namespace
