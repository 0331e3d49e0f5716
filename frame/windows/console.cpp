// The console frame on Windows: the course's home platform, with the runtime
// library's own calls. Code page 866 is the console's Cyrillic code page, and
// _kbhit() polls the console keyboard without taking the key.
#include "../console.h"

#include <clocale>
#include <conio.h>
#include <cstdio>
#include <iostream>

void setup_codepage()
{
    std::setlocale(LC_CTYPE, ".866");
}

void wait_key()
{
    // With standard output redirected the runtime buffers it: without this
    // the last lines would be missing while the program waits.
    std::cout.flush();
    std::wcout.flush();
    std::fflush(stdout);
    while (!_kbhit()) {}
}
