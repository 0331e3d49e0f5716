// Lesson: declaring variables of the fundamental types and a character array.
// Reads a character, an int, a long, a float and a double, then prints them.
#include <iostream>

#include "console.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    setup_codepage();  // Cyrillic letters on the console

    // A value no read could set prints as 0 (ch as a blank).
    char ch = ' ';
    int x = 0;
    long y = 0;
    float z = 0;
    double d = 0;

    wcout << L"Пример объявления переменных,  массив символов   " << endl;
    char array[256] = "Windows 2000";
    wcout << L"Введите:  ch = ?  x = ?   y = ?   z = ?    d = ?" << endl;

    cin >> ch;
    cin >> x;
    cin >> y;
    cin >> z;
    cin >> d;

    cout << endl;
    cout << "TestConsole ..." << endl;
    cout << array << endl;
    cout << "ch =   " << ch << endl;
    cout << "x =    " << x << ",  "
         << "y = " << y << endl;
    cout << "z =    " << z << ",  "
         << "d = " << d << endl;

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
