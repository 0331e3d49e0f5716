// Lesson: relational and logical operators, and the type bool.
#include <iostream>

#include "console.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    setup_codepage();  // Cyrillic letters on the console

    int x, y, z, n;

    wcout << L"Логические операции" << endl;
    x = 4;
    y = 5;
    z = (y - x) + (y / x) + (x * y);  // 5 / 4 is 1: the fraction is dropped
    n = 1;
    cout << " " << x << " " << y << " " << z << endl;

    if (z < 18)
        cout << "z <  18" << endl;
    if (z <= 25)
        cout << "z <= 25" << endl;
    if (z > 18)
        cout << "z >  18" << endl;
    if (z >= 72)
        cout << "z >= 72" << endl;

    bool a = x == y;
    cout << " a = " << a << endl;  // a bool prints as 0 or 1

    if (a)
        cout << " a = true " << endl;
    else
        cout << " a = false " << endl;

    if (x != y && n != 0)
        cout << " b = true " << endl;
    else
        cout << " b = false " << endl;

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
