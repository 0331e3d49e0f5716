// A function in a unit of its own: main.cpp calls it through subprog.h.
#include <cstdio>

#include "subprog.h"

void sub()
{
    puts("Hello World!");
}
