// The yardstick for a lesson's start-up: the smallest iostream program.
#include <iostream>

int main()
{
    std::cout << "Hello" << std::endl;
    return 0;
}
