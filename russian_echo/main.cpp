// Lesson: Cyrillic output and input on the console.
// Writes a caption in Russian, reads one typed line and writes it back.
#include <iostream>
#include <string>

#include "console.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    setup_codepage();  // Cyrillic letters on the console

    wcout << L"Русский вывод" << endl;

    wstring wstr;
    getline(wcin, wstr);
    wcout << wstr << endl;

    return 0;
}
