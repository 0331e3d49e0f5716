// Lesson: the standard vector of int, walked with an iterator.
#include <iostream>
#include <vector>

#include "console.h"

using namespace std;

int main(int /*argc*/, char* /*argv*/[])
{
    vector<int> v;
    int i;

    for (i = 0; i < 25; i++)
        v.push_back(i);

    cout << v.size() << endl;

    vector<int>::iterator p;
    p = v.begin();
    while (p != v.end()) {
        cout << *p << endl;
        p++;
    }

    wait_key();  // keeps the window open until a key is pressed
    return 0;
}
