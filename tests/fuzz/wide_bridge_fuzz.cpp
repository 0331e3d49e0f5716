// libFuzzer target: any bytes read through the wide input buffer and written
// back through the wide output buffer come out unchanged, in both codecs.
// A typed line that is not valid in the locale must be echoed byte for byte.
#include "wide_bridge.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>
#include <string>

namespace {

std::string round_trip(const std::string& bytes, frame::codec c)
{
    std::string copy = bytes.empty() ? std::string(1, '\0') : bytes;
    std::FILE* in = fmemopen(copy.data(), bytes.size(), "r");
    char* data = nullptr;
    std::size_t size = 0;
    std::FILE* out = open_memstream(&data, &size);
    {
        frame::wide_in_buf ibuf(in, c);
        frame::wide_out_buf obuf(out, c);
        std::wistream is(&ibuf);
        std::wostream os(&obuf);
        std::wstring line;
        while (std::getline(is, line)) {
            os << line;
            if (!is.eof())
                os << L'\n';
        }
        os.flush();
    }
    std::fclose(in);
    std::fclose(out);
    std::string result(data, size);
    std::free(data);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool utf8_locale = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
    (void)utf8_locale;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    for (frame::codec c : {frame::codec::utf8, frame::codec::locale}) {
        if (round_trip(bytes, c) != bytes)
            std::abort();
    }
    return 0;
}
