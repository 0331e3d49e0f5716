// Every lesson with a key wait, on a terminal as a student runs it: all its
// output (and the typed input the terminal echoes) is on the screen while it
// waits, nothing comes while it waits, and a key ends it with status 0,
// unread. Only inherit_virtual writes after the key: its destructors.
#include "harness.h"

#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The terminal shows each line end as CR LF.
std::string crlf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::string repeat(const std::string& s, int n)
{
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

struct Step {
    std::string shown;  // wait until the screen holds this ...
    std::string typed;  // ... then type this
};

struct Case {
    const char* lesson;
    std::vector<Step> steps;
    std::string waiting;  // the whole screen while it waits, with "\n" line ends
    std::string after;    // what comes after the key
};

const std::string names = "Melnart  D.K.\nVirokhin P.S.\nTulbane  E.R.\n"
                          "Gorvatin L.M.\nPashev   N.O.\nOrlek    T.V.\n";
const std::string func_values =
    "Hello World!\nTestConsole \nx =     10\n3.14,   6.284\n10000\n100\n";

const Case cases[] = {
    {"builtin_types",
     {{"клавиатуры  \r\n", "строка\n"}, {"Set data  x and  y\r\n", "3 4\n"}},
     "Встроенные типы  данных \nВывод на экран.  Ввод с клавиатуры  \n"
     "строка\nстрока\nSet data  x and  y\n3 4\n7 = 3  +  4\n",
     ""},
    {"func_input",
     {{" Введите текст с клавиатуры  \r\n", " два  слова \n"}},
     "Учимся использовать функции\nВывод на экран.  Ввод с клавиатуры  \n"
     " Введите текст с клавиатуры  \n"
     " два  слова \n"  // the terminal's echo
     " два  слова \n" +
         func_values,
     ""},
    {"func_math", {}, "Учимся использовать функции\n" + func_values, ""},
    {"var_decl",
     {{"d = ?\r\n", "q 12 -7 2.50 3.14159265\n"}},
     "Пример объявления переменных,  массив символов   \n"
     "Введите:  ch = ?  x = ?   y = ?   z = ?    d = ?\n"
     "q 12 -7 2.50 3.14159265\n"
     "\nTestConsole ...\nWindows 2000\nch =   q\nx =    12,  y = -7\nz =    2.5,  d = 3.14159\n",
     ""},
    {"logic_ops",
     {},
     "Логические операции\n 4 5 22\nz <= 25\nz >  18\n a = 0\n a = false \n b = true \n",
     ""},
    {"point_struct", {}, " x = 25 y = 75\n", ""},
    {"point_class", {}, " x = 10 y = 20\n", ""},
    {"inherit_virtual",
     {},
     " наследование и виртуальные функции \n" +
         repeat("Base::Constructor    \nDerived::Constructor()\n", 3) + "\n\n\n",
     repeat("Derived::Destructor()\nBase::Destructor     \n", 3)},
    {"ctor_show", {}, "B Constructore\na = 4 b = 7\n", ""},
    {"copy_ctor", {}, "a = 15 b = 44\nKavrel\na = 15 b = 44\nKavrel\n", ""},
    {"int_vector",
     {},
     [] {
         std::string s = "25\n";
         for (int i = 0; i < 25; ++i)
             s += std::to_string(i) + "\n";
         return s;
     }(),
     ""},
    {"name_vector",
     {},
     "6\n" + names + "-------------------\n" + names + "===================\n" + names,
     ""},
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.lesson;
}

// The key wait turns off line editing and echo while it waits.
bool waiting_mode(const termios& t)
{
    return (t.c_lflag & (ICANON | ECHO)) == 0;
}

class LessonOnTerminal : public testing::TestWithParam<Case> {};

TEST_P(LessonOnTerminal, EverythingShownBeforeTheKeyWhichEndsIt)
{
    const Case& c = GetParam();
    harness::Terminal t(harness::program(c.lesson));
    for (const Step& step : c.steps) {
        ASSERT_TRUE(t.wait_for(step.shown)) << t.screen();
        t.type(step.typed);
    }
    for (int i = 0; i < 500 && !waiting_mode(t.settings()); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(waiting_mode(t.settings())) << "it never began to wait";

    const std::string waiting = crlf(c.waiting);
    EXPECT_TRUE(t.wait_for(waiting));
    t.collect(300ms);
    EXPECT_EQ(t.screen(), waiting);
    ASSERT_FALSE(t.wait_exit(0ms).exited) << "it must wait for the key";

    t.type("k");
    auto e = t.wait_exit(5s);
    ASSERT_TRUE(e.exited);
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(t.screen(), waiting + crlf(c.after));
    EXPECT_EQ(t.unread_input(), "k");
}

INSTANTIATE_TEST_SUITE_P(Lessons, LessonOnTerminal, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.lesson); });

}  // namespace
