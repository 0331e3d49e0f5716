// The function of the unit subprog.cpp, for the units that call it.
#pragma once

void sub();
