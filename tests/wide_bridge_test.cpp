// The wide/narrow bridge on its own, over in-memory FILEs: what it decodes,
// what it encodes, and that bytes in -> wide text -> bytes out gives back the
// same bytes whatever they are.
#include "wide_bridge.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

using frame::codec;

struct MemoryIn {
    explicit MemoryIn(const std::string& bytes)
        : data(bytes.empty() ? std::string(1, '\0') : bytes),
          file(fmemopen(data.data(), bytes.size(), "r"))
    {
    }
    ~MemoryIn() { std::fclose(file); }
    std::string data;
    std::FILE* file;
};

std::wstring read_line(const std::string& bytes, codec c, std::string* rest = nullptr)
{
    MemoryIn in(bytes);
    frame::wide_in_buf buf(in.file, c);
    std::wistream s(&buf);
    std::wstring line;
    std::getline(s, line);
    if (rest) {
        rest->clear();
        for (int ch; (ch = std::fgetc(in.file)) != EOF;)
            rest->push_back(static_cast<char>(ch));
    }
    return line;
}

std::string write(const std::wstring& text, codec c)
{
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&data, &size);
    {
        frame::wide_out_buf buf(out, c);
        std::wostream s(&buf);
        s << text;
        s.flush();
    }
    std::fclose(out);
    std::string bytes(data, size);
    std::free(data);
    return bytes;
}

// Reads every line and writes it back, line ends included.
std::string round_trip(const std::string& bytes, codec c)
{
    MemoryIn in(bytes);
    frame::wide_in_buf ibuf(in.file, c);
    std::wistream is(&ibuf);
    std::wstring all, line;
    while (std::getline(is, line)) {
        all += line;
        if (!is.eof())
            all += L'\n';
    }
    return write(all, c);
}

class Utf8Locale : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr); }
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(Utf8Locale, DecodesCyrillicToItsLetters)
{
    EXPECT_EQ(read_line("Привет, мир\n", codec::utf8), L"Привет, мир");
    EXPECT_EQ(read_line("Привет, мир\n", codec::locale), L"Привет, мир");
}

TEST_F(Utf8Locale, EncodesCyrillicAsUtf8)
{
    EXPECT_EQ(write(L"Русский вывод", codec::utf8), "Русский вывод");
    EXPECT_EQ(write(L"Русский вывод", codec::locale), "Русский вывод");
}

TEST_F(Utf8Locale, NeverReadsPastTheLineEnd)
{
    for (codec c : {codec::utf8, codec::locale}) {
        std::string rest;
        EXPECT_EQ(read_line("строка\n3 4\n", c, &rest), L"строка");
        EXPECT_EQ(rest, "3 4\n");
        EXPECT_EQ(read_line("\xd0\n5\n", c, &rest), std::wstring(1, frame::escape_byte(0xd0)));
        EXPECT_EQ(rest, "5\n");
    }
}

TEST_F(Utf8Locale, KeepsUndecodableBytesAsTheyWere)
{
    const std::string samples[] = {
        "\xff\xfe\n",        // never valid
        "\xd0",              // cut by the end of input
        "\xe2\x82\n",        // cut by the line end
        "\xc0\xaf",          // overlong
        "\xed\xa0\x80",      // surrogate
        "\xf4\x90\x80\x80",  // past U+10FFFF
        "\x80\x80\x80",      // lone continuation bytes
        "\x8f\xe0\xa8\xa2",  // code page 866 text
        std::string("\0\n\0", 3),
    };
    for (codec c : {codec::utf8, codec::locale})
        for (const auto& s : samples)
            EXPECT_EQ(round_trip(s, c), s) << testing::PrintToString(s);
}

TEST_F(Utf8Locale, RandomBytesRoundTrip)
{
    std::mt19937 gen(20261211);
    // Mostly high bytes and line ends, where the decoder has the most to do.
    std::discrete_distribution<int> kind({5, 2, 3});
    std::uniform_int_distribution<int> high(0x80, 0xFF), low(0, 0x7F);
    for (int round = 0; round < 300; ++round) {
        std::string s;
        std::size_t len = static_cast<std::size_t>(gen() % 200);
        for (std::size_t i = 0; i < len; ++i) {
            int k = kind(gen);
            s.push_back(static_cast<char>(k == 0 ? high(gen) : k == 1 ? '\n' : low(gen)));
        }
        for (codec c : {codec::utf8, codec::locale})
            ASSERT_EQ(round_trip(s, c), s) << testing::PrintToString(s);
    }
}

TEST(CLocale, RandomBytesRoundTripWithTheLocalesTables)
{
    std::setlocale(LC_CTYPE, "C");
    std::mt19937 gen(866);
    for (int round = 0; round < 100; ++round) {
        std::string s;
        for (std::size_t i = gen() % 100; i > 0; --i)
            s.push_back(static_cast<char>(gen() % 256));
        ASSERT_EQ(round_trip(s, codec::locale), s) << testing::PrintToString(s);
    }
}

}  // namespace
