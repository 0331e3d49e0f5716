#include "wide_bridge.h"

#include <cstdint>
#include <cstring>

namespace frame {

namespace {

constexpr std::size_t no_char = static_cast<std::size_t>(-1);
constexpr std::size_t incomplete = static_cast<std::size_t>(-2);

std::size_t encode_utf8(std::uint32_t c, char* dst)
{
    auto byte = [](std::uint32_t v) { return static_cast<char>(static_cast<unsigned char>(v)); };
    if (c < 0x80) {
        dst[0] = byte(c);
        return 1;
    }
    if (c < 0x800) {
        dst[0] = byte(0xC0 | (c >> 6));
        dst[1] = byte(0x80 | (c & 0x3F));
        return 2;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
        dst[0] = '?';  // no UTF-8 form: surrogates and values past Unicode
        return 1;
    }
    if (c < 0x10000) {
        dst[0] = byte(0xE0 | (c >> 12));
        dst[1] = byte(0x80 | ((c >> 6) & 0x3F));
        dst[2] = byte(0x80 | (c & 0x3F));
        return 3;
    }
    dst[0] = byte(0xF0 | (c >> 18));
    dst[1] = byte(0x80 | ((c >> 12) & 0x3F));
    dst[2] = byte(0x80 | ((c >> 6) & 0x3F));
    dst[3] = byte(0x80 | (c & 0x3F));
    return 4;
}

}  // namespace

// ---- output ---------------------------------------------------------------

std::size_t wide_out_buf::encode(wchar_t ch, char* dst)
{
    if (is_escaped_byte(ch)) {
        dst[0] = static_cast<char>(static_cast<unsigned char>(ch - 0xDC00));
        return 1;
    }
    if (codec_ == codec::utf8)
        return encode_utf8(static_cast<std::uint32_t>(ch), dst);

    std::size_t n = std::wcrtomb(dst, ch, &state_);
    if (n == no_char) {
        state_ = std::mbstate_t{};
        dst[0] = '?';  // the locale has no form for it
        return 1;
    }
    return n;
}

wide_out_buf::int_type wide_out_buf::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    char bytes[MB_LEN_MAX];
    std::size_t n = encode(traits_type::to_char_type(ch), bytes);
    if (std::fwrite(bytes, 1, n, out_) != n)
        return traits_type::eof();
    return ch;
}

std::streamsize wide_out_buf::xsputn(const char_type* s, std::streamsize n)
{
    char bytes[4096 + MB_LEN_MAX];
    std::size_t used = 0;
    std::streamsize done = 0;
    for (; done < n; ++done) {
        used += encode(s[done], bytes + used);
        if (used >= 4096) {
            if (std::fwrite(bytes, 1, used, out_) != used)
                return done;
            used = 0;
        }
    }
    if (used != 0 && std::fwrite(bytes, 1, used, out_) != used)
        return 0;
    return done;
}

int wide_out_buf::sync()
{
    return std::fflush(out_) == 0 ? 0 : -1;
}

// ---- input ----------------------------------------------------------------

int wide_in_buf::next_byte()
{
    if (replay_len_ != 0) {
        int b = replay_[0];
        std::memmove(replay_, replay_ + 1, --replay_len_);
        return b;
    }
    return getc_unlocked(in_);
}

bool wide_in_buf::decode_utf8(int first)
{
    if (first < 0x80) {
        put(static_cast<wchar_t>(first));
        return true;
    }
    // The lead byte tells how many continuation bytes follow and narrows the
    // range of the first one, which rules out overlong forms, surrogates and
    // values past U+10FFFF.
    int need = 0;
    int lo = 0x80, hi = 0xBF;
    std::uint32_t c = 0;
    if (first >= 0xC2 && first <= 0xDF) {
        need = 1;
        c = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        need = 2;
        c = first & 0x0F;
        if (first == 0xE0)
            lo = 0xA0;
        if (first == 0xED)
            hi = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        need = 3;
        c = first & 0x07;
        if (first == 0xF0)
            lo = 0x90;
        if (first == 0xF4)
            hi = 0x8F;
    } else {
        put(escape_byte(static_cast<unsigned char>(first)));
        return true;
    }

    unsigned char seen[4] = {static_cast<unsigned char>(first)};
    int n = 1;
    for (int i = 0; i < need; ++i) {
        int b = next_byte();
        if (b == EOF || b < lo || b > hi) {
            // A cut sequence: keep its bytes as they were, and leave the
            // byte that cut it (a line end, say) to be read on its own.
            if (b != EOF)
                std::ungetc(b, in_);
            for (int k = 0; k < n; ++k)
                put(escape_byte(seen[k]));
            return true;
        }
        seen[n++] = static_cast<unsigned char>(b);
        c = (c << 6) | static_cast<std::uint32_t>(b & 0x3F);
        lo = 0x80;
        hi = 0xBF;
    }
    put(static_cast<wchar_t>(c));
    return true;
}

bool wide_in_buf::decode_locale(int first)
{
    unsigned char pending[MB_LEN_MAX];
    std::size_t n = 0;
    pending[n++] = static_cast<unsigned char>(first);
    std::mbstate_t st = state_;
    for (;;) {
        wchar_t wc = 0;
        std::size_t r = std::mbrtowc(&wc, reinterpret_cast<const char*>(&pending[n - 1]), 1, &st);
        if (r == incomplete && n < MB_LEN_MAX) {
            int b = next_byte();
            if (b != EOF) {
                pending[n++] = static_cast<unsigned char>(b);
                continue;
            }
            for (std::size_t k = 0; k < n; ++k)  // cut short by the end of input
                put(escape_byte(pending[k]));
            state_ = std::mbstate_t{};
            return true;
        }
        if (r == no_char || r == incomplete) {
            // Keep the first byte as it was and decode the others again.
            put(escape_byte(pending[0]));
            std::memmove(replay_ + (n - 1), replay_, replay_len_);
            std::memcpy(replay_, pending + 1, n - 1);
            replay_len_ += n - 1;
            state_ = std::mbstate_t{};
            return true;
        }
        put(wc);  // r == 0 is a NUL byte, and wc is then 0 too
        state_ = st;
        return true;
    }
}

bool wide_in_buf::decode_next()
{
    int b = next_byte();
    if (b == EOF)
        return false;
    return codec_ == codec::utf8 ? decode_utf8(b) : decode_locale(b);
}

wide_in_buf::int_type wide_in_buf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());

    // Decode up to and including the next line end, never beyond it. The
    // margin leaves room for the escapes of a cut sequence.
    len_ = 0;
    while (len_ + 4 <= capacity && decode_next()) {
        if (buf_[len_ - 1] == L'\n')
            break;
    }
    if (len_ == 0)
        return traits_type::eof();
    setg(buf_, buf_, buf_ + len_);
    return traits_type::to_int_type(buf_[0]);
}

}  // namespace frame
