// Lesson: inheritance and virtual functions.
// The constructors and destructors announce themselves: the base part is
// built first and torn down last. The destructor lines come after the key.
#include <iostream>

#include "console.h"

using namespace std;

class Base {
public:
    Base() { cout << "Base::Constructor    \n"; }
    ~Base() { cout << "Base::Destructor     \n"; }
    void Show1();  // declared only: nothing calls it
    virtual void Show2() { cout << " Virtual Base::Function \n"; }
    virtual void Show3() = 0;  // pure: Base alone cannot be created
};

class Derived : public Base {
public:
    void Show1();  // hides Base::Show1
    void Show2() override { cout << "Derived::Show2()\n"; }
    void Show3() override { cout << "Derived::Show3()\n"; }
    Derived() { cout << "Derived::Constructor()\n"; }
    ~Derived() { cout << "Derived::Destructor()\n"; }
};

int main(int /*argc*/, char* /*argv*/[])
{
    setup_codepage();  // Cyrillic letters on the console

    wcout << L" наследование и виртуальные функции " << endl;
    Derived a, c, d;
    cout << "\n\n\n";

    wait_key();  // keeps the window open until a key is pressed
    // a, c and d are destroyed on the way out of main, after the key.
    return 0;
}
