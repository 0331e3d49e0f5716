// Wide stream buffers that carry wchar_t text over a byte-oriented C FILE.
//
// glibc fixes a FILE's orientation at its first use, so std::wcout and
// std::cout cannot both write to stdout through the C library's own wide and
// narrow functions. These buffers do the conversion themselves and move only
// bytes, through the same FILE that std::cout, std::cin, printf and puts use,
// so narrow and wide text keep program order on one stream.
//
// Bytes that do not decode in the chosen encoding are not lost: each becomes
// one wide character in U+DC00..U+DCFF (the byte's value added to U+DC00) and
// is written back as that same byte. Neither decoder ever produces a character
// in that range for valid input, so bytes in, wide text, bytes out is the
// identity for any input.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdio>
#include <cwchar>
#include <streambuf>

namespace frame {

enum class codec {
    utf8,    // built-in UTF-8, independent of the C library's tables
    locale,  // mbrtowc/wcrtomb in the current LC_CTYPE
};

// Writes wide text as bytes at once: nothing is held back, so a narrow write
// that follows lands after it. sync() flushes the FILE.
class wide_out_buf : public std::wstreambuf {
public:
    wide_out_buf(std::FILE* out, codec c) : out_(out), codec_(c) {}

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char_type* s, std::streamsize n) override;
    int sync() override;

private:
    // Encodes one character into dst (room for MB_LEN_MAX bytes at least);
    // returns the number of bytes.
    std::size_t encode(wchar_t ch, char* dst);

    std::FILE* out_;
    codec codec_;
    std::mbstate_t state_{};
};

// Reads bytes from the FILE and decodes them. It never reads past a line
// end: a line read through it leaves the rest of the input in the FILE for
// the next narrow read.
class wide_in_buf : public std::wstreambuf {
public:
    wide_in_buf(std::FILE* in, codec c) : in_(in), codec_(c) {}

protected:
    int_type underflow() override;

private:
    // Appends the next decoded character(s) to buf_; false at end of input.
    bool decode_next();
    bool decode_utf8(int first);
    bool decode_locale(int first);
    int next_byte();
    void put(wchar_t ch) { buf_[len_++] = ch; }

    static constexpr std::size_t capacity = 4096;

    std::FILE* in_;
    codec codec_;
    std::mbstate_t state_{};
    wchar_t buf_[capacity];
    std::size_t len_ = 0;
    // Bytes taken from the FILE that still have to be decoded again after an
    // invalid sequence (multi-byte locales only).
    unsigned char replay_[2 * MB_LEN_MAX];
    std::size_t replay_len_ = 0;
};

// The wide character that stands for an undecodable byte, and back.
constexpr wchar_t escape_byte(unsigned char b)
{
    return static_cast<wchar_t>(0xDC00 + b);
}
constexpr bool is_escaped_byte(wchar_t ch)
{
    return ch >= 0xDC00 && ch <= 0xDCFF;
}

}  // namespace frame
