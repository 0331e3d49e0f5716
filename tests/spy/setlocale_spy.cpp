// Preloaded into a program under test: records every setlocale call that
// changes the locale (a query, with a null name, changes nothing) as a line
// "<category> <name>" in the file named by SETLOCALE_SPY_LOG, then lets the
// C library do the real work.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

extern "C" char* setlocale(int category, const char* name) noexcept
{
    using real_fn = char* (*)(int, const char*);
    static const real_fn real = reinterpret_cast<real_fn>(dlsym(RTLD_NEXT, "setlocale"));

    const char* log = std::getenv("SETLOCALE_SPY_LOG");
    if (name != nullptr && log != nullptr) {
        char line[256];
        int n = std::snprintf(line, sizeof line, "%d %s\n", category, name);
        int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
        if (fd >= 0 && n > 0) {
            ssize_t written = write(fd, line, std::strlen(line));
            (void)written;
        }
        if (fd >= 0)
            close(fd);
    }
    return real(category, name);
}
