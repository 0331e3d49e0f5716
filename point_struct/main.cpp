// Lesson: a structure with member functions, and a pointer to it.
#include <iostream>

#include "console.h"

using namespace std;

struct point {
    int x, y;
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
    my.set_pixel(25, 75);
    cout << " x = " << ptr->getx() << " y = " << ptr->gety() << endl;

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
