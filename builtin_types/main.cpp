// Lesson: built-in types, output to the screen and input from the keyboard.
// Echoes a typed line, then reads two integers and prints their sum.
#include <iostream>
#include <string>

#include "console.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    setup_codepage();  // Cyrillic letters on the console

    wcout << L"Встроенные типы  данных " << endl;
    wcout << L"Вывод на экран.  Ввод с клавиатуры  " << endl;

    wstring wstr;
    getline(wcin, wstr);
    wcout << wstr << endl;

    int x = 0, y = 0, z;  // 0 stays if nothing could be read
    cout << "Set data  x and  y" << endl;
    cin >> x;
    cin >> y;
    z = x + y;
    cout << z << " = " << x << "  +  " << y << endl;

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
