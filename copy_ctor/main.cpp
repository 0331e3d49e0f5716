// Lesson: a constant member, a reference member and the copy constructor.
// Each object owns its own copy of the name; a copy never shares the array.
#include <cstring>
#include <iostream>

#include "console.h"

using namespace std;

class myclass {
    const int b;
    int c;
    int& a;  // refers to this object's own c
    char* name;
    int len;

public:
    // p is only read, so it may point to a constant text such as "Kavrel".
    myclass(const char* p) : b(44), c(15), a(c)
    {
        len = strlen(p);
        name = new char[len + 1];
        strcpy(name, p);
    }
    // The copy gets an array of its own, and its a refers to its own c.
    myclass(myclass& src) : b(src.b), c(src.c), a(c)
    {
        len = src.len;
        name = new char[len + 1];
        strcpy(name, src.name);
    }
    ~myclass() { delete[] name; }
    void show();
};

void myclass::show()
{
    cout << "a = " << a << ' ' << "b = " << b << "\n" << name << endl;
}

int main(int /*argc*/, char* /*argv*/[])
{
    myclass ob1("Kavrel");
    ob1.show();

    myclass ob2(ob1);  // the copy constructor
    ob2.show();

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
