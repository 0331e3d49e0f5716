// The whole function sub() lives in this header, so only one unit of a
// program may include it.
#pragma once

#include <cstdio>

void sub()
{
    printf("Hello World!\n");
}
