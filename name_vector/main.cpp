// Lesson: a vector of names, listed three ways with one iterator.
#include <iostream>
#include <vector>

#include "console.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    // A string literal is constant, and the vector holds char*: the names
    // are copied into an array of our own that the pointers may point to.
    char names[6][14] = {"Melnart  D.K.", "Virokhin P.S.", "Tulbane  E.R.",
                         "Gorvatin L.M.", "Pashev   N.O.", "Orlek    T.V."};
    vector<char*> v;

    v.push_back(names[0]);
    v.push_back(names[1]);
    v.push_back(names[2]);
    v.push_back(names[3]);
    v.push_back(names[4]);
    v.push_back(names[5]);

    cout << v.size() << endl;

    vector<char*>::iterator p;
    p = v.begin();
    while (p != v.end()) {
        cout << *p << endl;
        p++;
    }
    cout << "-------------------" << endl;

    for (p = v.begin(); p < v.end(); p++)
        cout << *p << endl;
    cout << "===================" << endl;

    p = v.begin();
    for (int i = 0; size_t(i) < v.size(); i++)  // size() is unsigned
        cout << p[i] << endl;

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
