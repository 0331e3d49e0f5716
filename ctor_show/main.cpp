// Lesson: a constructor with arguments.
#include <iostream>

#include "console.h"

using namespace std;

class myclass {
    int a, b;

public:
    myclass(int x, int y);
    ~myclass() {}
    void show();
};

myclass::myclass(int x, int y)
{
    cout << "B Constructore\n";
    a = x;
    b = y;
}

void myclass::show()
{
    cout << "a = " << a << ' ' << "b = " << b << "\n";
}

int main(int /*argc*/, char* /*argv*/[])
{
    myclass ob(4, 7);

    ob.show();

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
