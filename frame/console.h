// The console frame: the start and the end that every console lesson shares.
//
// A lesson calls it in two lines:
//
//     int main(int /*argc*/, char* /*argv*/[])
//     {
//         setup_codepage();   // only in a lesson that writes Cyrillic
//         ...
//         wait_key();         // keeps the console window open
//         return 0;
//     }
//
// What it promises, on every platform:
//
// setup_codepage()
//   - Call it as the first statement of main, before any output.
//   - Afterwards std::wcout writes Cyrillic wide literals as the console's
//     letters, and std::wcin reads a typed line back into the same letters.
//   - Narrow (std::cout, std::cin, printf, puts) and wide streams share one
//     output and one input: text reaches the console in program order, and a
//     wide line read never takes bytes from a later narrow read.
//   - Only the character-type category of the C locale changes; numbers keep
//     the point as decimal separator.
//   - It never fails and reports nothing.
//
// wait_key()
//   - Everything written so far is on the console (or in the pipe or file)
//     before it starts waiting.
//   - Returns once a key is pressed on the console's keyboard, or at once if a
//     key was already waiting. The key is neither echoed nor read: it is still
//     in the console's input after the program ends.
//   - Writes nothing.
//
// Windows: exactly setlocale(LC_CTYPE, ".866") and a poll of _kbhit().
// POSIX:   see frame/posix/ -- the user's locale when it can show Cyrillic,
//          UTF-8 otherwise; the wait blocks on the controlling terminal
//          without using the processor, restores the terminal on every way
//          out, and returns at once when there is no terminal at all.
#pragma once

void setup_codepage();
void wait_key();
