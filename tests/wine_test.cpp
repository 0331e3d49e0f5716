// The Windows build of the console lessons, run under Wine.
//
// Standard input and output are pipes, so the bytes checked are the
// program's own as the Windows runtime writes them: Cyrillic in code page
// 866, CR LF line ends, numbers with a point. A line typed in code page 866
// must come back byte for byte, and `long` is 32 bits wide.
//
// Without a console no key can be pressed: _kbhit() keeps answering that
// none is waiting. So a lesson with a key wait is checked while it waits:
// everything before the wait is written, nothing after it (inherit_virtual's
// destructor lines), and the program is still running. Then it is ended.
//
// One throw-away Wine prefix serves the whole run: making it takes seconds,
// starting a lesson in it a fraction of one. Its wineserver is kept alive
// from the first case to the last and ended at the end.
#include "harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

#ifndef COURSE_WINDOWS_BIN
#error "COURSE_WINDOWS_BIN must name the directory of the Windows .exe files"
#endif
#ifndef COURSE_WINE
#error "COURSE_WINE must name Wine's program loader (or be empty)"
#endif
#ifndef COURSE_WINESERVER
#error "COURSE_WINESERVER must name the wineserver (or be empty)"
#endif

namespace {

namespace fs = std::filesystem;

// ---- text as the Windows console has it ------------------------------------

// UTF-8 text of the tests as the bytes of the Windows build: Cyrillic in
// code page 866, "\n" as CR LF. Other characters are ASCII and stay.
std::string windows(std::string_view utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b == '\n') {
            out += "\r\n";
            continue;
        }
        if (b < 0x80) {
            out += static_cast<char>(b);
            continue;
        }
        // Only two-byte sequences occur: U+0401, U+0410..U+044F, U+0451.
        unsigned cp = (b & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        unsigned byte = 0;
        if (cp >= 0x410 && cp <= 0x43F)  // А..Я, а..п
            byte = 0x80 + (cp - 0x410);
        else if (cp >= 0x440 && cp <= 0x44F)  // р..я
            byte = 0xE0 + (cp - 0x440);
        else if (cp == 0x401)  // Ё
            byte = 0xF0;
        else if (cp == 0x451)  // ё
            byte = 0xF1;
        else
            ADD_FAILURE() << "no code page 866 byte for U+" << std::hex << cp;
        out += static_cast<char>(byte);
    }
    return out;
}

// ---- the shared Wine prefix --------------------------------------------------

harness::Env wine_env(const std::string& prefix)
{
    return {"WINEPREFIX=" + prefix, "WINEDEBUG=-all",
            // No Mono and no Gecko: console programs need neither, and
            // without them the prefix is made in seconds and asks nothing.
            "WINEDLLOVERRIDES=mscoree,mshtml="};
}

class WinePrefix : public testing::Environment {
public:
    void SetUp() override
    {
        const std::string bin = COURSE_WINDOWS_BIN;
        if (std::string_view(COURSE_WINE).empty() || std::string_view(COURSE_WINESERVER).empty()) {
            skip_ = "Wine is not installed (Debian: wine wine64); the Windows build is not run";
            return;
        }
        if (!fs::exists(fs::path(bin) / "russian_echo.exe")) {
            skip_ = "no Windows build in " + bin +
                    "; make it with: cmake --preset mingw && cmake --build --preset mingw";
            return;
        }
        std::string dir = (fs::temp_directory_path() / "course-wine-XXXXXX").string();
        if (mkdtemp(dir.data()) == nullptr) {
            error_ = "cannot make a temporary directory for the Wine prefix";
            return;
        }
        prefix_ = dir;
        // A server of our own, in the foreground (-f) so the harness owns it,
        // that stays between two cases (-p10): one started by the first case
        // would leave with it. Should this program be killed, the server and
        // Wine's services end themselves seconds after the last lesson.
        server_ = std::make_unique<harness::Process>(
            harness::Spawn(COURSE_WINESERVER, {"-f", "-p10"}, wine_env(prefix_)));
        // Fills the prefix and starts Wine's own services; they stay until
        // the server is ended.
        boot_ = std::make_unique<harness::Process>(
            harness::Spawn(COURSE_WINE, {"wineboot", "--init"}, wine_env(prefix_)));
        boot_->close_stdin();
        auto e = boot_->wait_exit(90s);
        if (!e.exited || e.code != 0)
            error_ = "wineboot did not make the prefix:\n" + boot_->err();
    }

    void TearDown() override
    {
        if (server_) {
            harness::Process stop(harness::Spawn(COURSE_WINESERVER, {"-k"}, wine_env(prefix_)));
            stop.close_stdin();
            stop.wait_exit(10s);
            server_->wait_exit(10s);
        }
        boot_.reset();  // ends whatever Wine started and -k missed
        server_.reset();
        // Wine's own processes were handed to us (the harness is their
        // subreaper) and have ended by now: reap them.
        auto until = std::chrono::steady_clock::now() + 2s;
        while (waitpid(-1, nullptr, WNOHANG) >= 0 && std::chrono::steady_clock::now() < until)
            usleep(10000);
        if (!prefix_.empty()) {
            std::error_code ignored;
            fs::remove_all(prefix_, ignored);  // symbolic links (dosdevices) are not followed
        }
    }

    const std::string& skip_reason() const { return skip_; }
    const std::string& error() const { return error_; }
    const std::string& prefix() const { return prefix_; }

private:
    std::string skip_, error_, prefix_;
    std::unique_ptr<harness::Process> server_, boot_;
};

WinePrefix* const wine =
    static_cast<WinePrefix*>(testing::AddGlobalTestEnvironment(new WinePrefix));

// Starts a lesson's .exe under Wine with its input queued and then closed.
std::unique_ptr<harness::Process> start(std::string_view lesson, std::string_view input)
{
    auto exe = std::string(COURSE_WINDOWS_BIN) + "/" + std::string(lesson) + ".exe";
    auto p = std::make_unique<harness::Process>(
        harness::Spawn(COURSE_WINE, {exe}, wine_env(wine->prefix())));
    p->send(input);
    p->close_stdin();
    return p;
}

// Every case runs in the shared prefix, or is skipped when there is none.
class Wine : public testing::Test {
protected:
    void SetUp() override
    {
        if (!wine->skip_reason().empty())
            GTEST_SKIP() << wine->skip_reason();
        ASSERT_EQ(wine->error(), "") << "no Wine prefix";
    }
};

// ---- every console lesson ------------------------------------------------------

struct Case {
    const char* name;
    const char* lesson;
    std::string input;  // as typed, in UTF-8 with "\n"; sent as Windows bytes
    std::string out;    // all it writes before it waits (or ends), likewise
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.lesson << "_" << c.name;
}

const std::string builtin_captions = "Встроенные типы  данных \n"
                                     "Вывод на экран.  Ввод с клавиатуры  \n";
const std::string func_captions = "Учимся использовать функции\n"
                                  "Вывод на экран.  Ввод с клавиатуры  \n"
                                  " Введите текст с клавиатуры  \n";
const std::string func_values = "Hello World!\n"
                                "TestConsole \n"
                                "x =     10\n"
                                "3.14,   6.284\n"
                                "10000\n"
                                "100\n";
const std::string var_head = "Пример объявления переменных,  массив символов   \n"
                             "Введите:  ch = ?  x = ?   y = ?   z = ?    d = ?\n"
                             "\n"
                             "TestConsole ...\n"
                             "Windows 2000\n";
const std::string names = "Melnart  D.K.\nVirokhin P.S.\nTulbane  E.R.\n"
                          "Gorvatin L.M.\nPashev   N.O.\nOrlek    T.V.\n";

std::string count_to_24()
{
    std::string s;
    for (int i = 0; i < 25; ++i)
        s += std::to_string(i) + "\n";
    return s;
}

const Case cases[] = {
    {"Cyrillic", "russian_echo", "Привет, мир\n", "Русский вывод\nПривет, мир\n"},
    {"BlanksKept", "russian_echo", "  два  пробела \n", "Русский вывод\n  два  пробела \n"},
    {"EmptyLine", "russian_echo", "\n", "Русский вывод\n\n"},
    {"EndOfInput", "russian_echo", "", "Русский вывод\n\n"},
    {"YoAndLastLetters", "russian_echo", "Ёлка ёж эюя ЭЮЯ\n", "Русский вывод\nЁлка ёж эюя ЭЮЯ\n"},

    {"Sum", "builtin_types", "Привет\n3 4\n",
     builtin_captions + "Привет\nSet data  x and  y\n7 = 3  +  4\n"},
    {"NumbersOnLaterLines", "builtin_types", "строка\n\n-5\n3\n",
     builtin_captions + "строка\nSet data  x and  y\n-2 = -5  +  3\n"},
    {"EndOfInput", "builtin_types", "", builtin_captions + "\nSet data  x and  y\n0 = 0  +  0\n"},

    // puts() of sub lands between the echo and the numbers.
    {"EchoThenValues", "func_input", "Текст\n", func_captions + "Текст\n" + func_values},
    {"EndOfInput", "func_input", "", func_captions + "\n" + func_values},

    {"Values", "func_math", "", "Учимся использовать функции\n" + func_values},

    {"Values", "var_decl", "q 12 -7 2.50 4\n",
     var_head + "ch =   q\nx =    12,  y = -7\nz =    2.5,  d = 4\n"},
    // long is 32 bits on Windows: the read of y fails with the largest long,
    // and z and d are never read. (On Linux, with a 64-bit long, the same
    // input is accepted: var_decl_test.)
    {"YBeyond32Bits", "var_decl", "q 1 3000000000 1 2\n",
     var_head + "ch =   q\nx =    1,  y = 2147483647\nz =    0,  d = 0\n"},
    {"YBelow32Bits", "var_decl", "q 1 -3000000000 1 2\n",
     var_head + "ch =   q\nx =    1,  y = -2147483648\nz =    0,  d = 0\n"},
    {"YAtLargest32Bits", "var_decl", "q 1 2147483647 1 2\n",
     var_head + "ch =   q\nx =    1,  y = 2147483647\nz =    1,  d = 2\n"},

    {"Lines", "logic_ops", "",
     "Логические операции\n 4 5 22\nz <= 25\nz >  18\n a = 0\n a = false \n b = true \n"},
    {"Line", "point_struct", "", " x = 25 y = 75\n"},
    {"Line", "point_class", "", " x = 10 y = 20\n"},
    // The destructors print only after the key press.
    {"ConstructorsOnly", "inherit_virtual", "",
     " наследование и виртуальные функции \n"
     "Base::Constructor    \nDerived::Constructor()\n"
     "Base::Constructor    \nDerived::Constructor()\n"
     "Base::Constructor    \nDerived::Constructor()\n"
     "\n\n\n"},
    {"Lines", "ctor_show", "", "B Constructore\na = 4 b = 7\n"},
    {"Lines", "copy_ctor", "", "a = 15 b = 44\nKavrel\na = 15 b = 44\nKavrel\n"},
    {"Lines", "int_vector", "", "25\n" + count_to_24()},
    {"Lines", "name_vector", "",
     "6\n" + names + "-------------------\n" + names + "===================\n" + names},
};

class WineLesson : public Wine, public testing::WithParamInterface<Case> {};

TEST_P(WineLesson, WritesWindowsBytes)
{
    const Case& c = GetParam();
    auto p = start(c.lesson, windows(c.input));
    const std::string expected = windows(c.out);

    if (std::string_view(c.lesson) == "russian_echo") {  // the one lesson without a key wait
        auto e = p->wait_exit(10s);
        EXPECT_EQ(p->out(), expected);
        EXPECT_TRUE(e.exited);
        EXPECT_EQ(e.code, 0);
    } else {
        EXPECT_TRUE(p->wait_for_out(expected, 10s));
        auto e = p->wait_exit(500ms);  // nothing more may come while it waits
        EXPECT_EQ(p->out(), expected);
        EXPECT_FALSE(e.exited) << "it ended instead of waiting for a key";
    }
    EXPECT_EQ(p->err(), "");
}

INSTANTIATE_TEST_SUITE_P(Lessons, WineLesson, testing::ValuesIn(cases), [](const auto& info) {
    return std::string(info.param.lesson) + "_" + info.param.name;
});

// ---- every byte of a typed line --------------------------------------------------

// Each byte but the line feed, and Ctrl-Z, which ends text-mode input on
// Windows, comes back as it was typed. The carriage return stands before a
// byte other than a line feed, so it is no line end and stays.
TEST_F(Wine, EveryByteOfATypedLineComesBack)
{
    std::string line;
    for (int b = 0; b < 256; ++b)
        if (b != '\n' && b != 0x1A)
            line += static_cast<char>(b);
    auto p = start("russian_echo", line + "\r\n");
    auto e = p->wait_exit(10s);
    EXPECT_EQ(p->out(), windows("Русский вывод\n") + line + "\r\n");
    EXPECT_TRUE(e.exited);
    EXPECT_EQ(e.code, 0);
}

}  // namespace
