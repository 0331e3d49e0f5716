// The code-page set-up on POSIX systems.
//
// The course's home console converts by code page 866. A Linux terminal
// converts by the user's locale, usually UTF-8. We keep the user's locale when
// it can show every Cyrillic letter of the captions (UTF-8, KOI8-R, CP1251 ...)
// and otherwise -- LANG unset, the "C" locale of CI, containers and cron --
// take UTF-8, which is what a terminal shows today. Only LC_CTYPE changes, so
// numbers keep the point as decimal separator.
#include "../console.h"
#include "wide_bridge.h"

#include <clocale>
#include <cstring>
#include <iostream>
#include <langinfo.h>
#include <new>
#include <strings.h>

namespace {

bool locale_shows_cyrillic()
{
    for (wchar_t ch = 0x0410; ch <= 0x044F; ++ch) {  // А..я
        char bytes[MB_LEN_MAX];
        std::mbstate_t st{};
        if (std::wcrtomb(bytes, ch, &st) == static_cast<std::size_t>(-1))
            return false;
    }
    return true;
}

bool locale_is_utf8()
{
    const char* set = nl_langinfo(CODESET);
    return strcasecmp(set, "UTF-8") == 0 || strcasecmp(set, "UTF8") == 0;
}

// Storage that is never destroyed: the standard streams are flushed after
// every static object has gone, and they must still find their buffers.
template <class T> T* make_forever(std::FILE* f, frame::codec c)
{
    alignas(T) static unsigned char storage[sizeof(T)];
    return new (storage) T(f, c);
}

}  // namespace

void setup_codepage()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    bool users = std::setlocale(LC_CTYPE, "") != nullptr && locale_shows_cyrillic();
    if (!users) {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (std::setlocale(LC_CTYPE, name) != nullptr)
                break;
        }
    }
    // UTF-8 is converted by our own code, which needs no locale tables: it
    // works even where no UTF-8 locale is installed.
    frame::codec c = users && !locale_is_utf8() ? frame::codec::locale : frame::codec::utf8;

    std::wcout.rdbuf(make_forever<frame::wide_out_buf>(stdout, c));
    std::wcin.rdbuf(make_forever<frame::wide_in_buf>(stdin, c));
}
