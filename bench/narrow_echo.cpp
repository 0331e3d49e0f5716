// The yardstick for russian_echo's speed: the same echo of one line through
// the narrow streams only, with no conversion at all.
#include <iostream>
#include <string>

int main()
{
    std::string line;
    std::getline(std::cin, line);
    std::cout << line << std::endl;
    return 0;
}
