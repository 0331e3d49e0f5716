// Helpers for the test tables: a program that reads or writes Cyrillic is
// checked in both locales the harness knows, and a parameterised test is
// named after its parameters, so a failure says which row it was.
#pragma once

#include "harness.h"

#include <ostream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace harness {

struct Locale {
    const char* name;
    Env env;
};

// A UTF-8 desktop, and no locale at all (CI, cron): a terminal shows UTF-8
// in both, so the bytes must be the same.
inline const Locale locales[] = {{"Utf8", utf8_env()}, {"NoLang", no_lang_env()}};

inline void PrintTo(const Locale& l, std::ostream* os)
{
    *os << l.name;
}

// The test's name: the `name` of each of its parameters, joined by "_".
struct JoinedNames {
    template <class... Param>
    std::string operator()(const testing::TestParamInfo<std::tuple<Param...>>& info) const
    {
        std::string joined;
        std::apply(
            [&](const auto&... p) {
                ((joined += (joined.empty() ? "" : "_") + std::string(p.name)), ...);
            },
            info.param);
        return joined;
    }
};

}  // namespace harness
