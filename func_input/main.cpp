// Lesson: using functions, with input from the keyboard.
// Echoes a typed line, calls sub() from another unit, then prints five values.
#include <cmath>
#include <iostream>
#include <string>

#include "console.h"
#include "subprog.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    setup_codepage();  // Cyrillic letters on the console

    wcout << L"Учимся использовать функции" << endl;
    wcout << L"Вывод на экран.  Ввод с клавиатуры  " << endl;
    wcout << L" Введите текст с клавиатуры  " << endl;

    wstring wstr;
    getline(wcin, wstr);
    wcout << wstr << endl;

    sub();  // defined in subprog.cpp

    int x = 10;
    float z = 3.14f;
    double a = 6.284;
    double d = pow(x, 4);
    double c = sqrt(d);

    cout << "TestConsole " << endl;
    cout << "x =     " << x << endl;
    cout << z << ",   " << a << endl;
    cout << d << endl;
    cout << c << endl;

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
