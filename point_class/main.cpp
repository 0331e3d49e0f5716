// Lesson: the point as a class: its data is private, reached only through
// its member functions.
#include <iostream>

#include "console.h"

using namespace std;

class point {
    int x, y;

public:
    void set_pixel(int a, int b)
    {
        x = a;
        y = b;
    }
    int getx() { return x; }
    int gety() { return y; }
};

int main(int /*argc*/, char* /*argv*/[])
{
    point my, *ptr;

    ptr = &my;
    my.set_pixel(10, 20);
    cout << " x = " << ptr->getx() << " y = " << ptr->gety() << endl;

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
