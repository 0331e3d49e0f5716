// Lesson: using functions, with mathematics.
// Calls sub() from a header, then prints five values, two from pow and sqrt.
#include <cmath>
#include <iostream>

#include "console.h"
#include "subprog.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    setup_codepage();  // Cyrillic letters on the console

    wcout << L"Учимся использовать функции" << endl;

    sub();  // defined in subprog.h

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
