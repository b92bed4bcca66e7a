// The console of the program that started the game. On Windows the game is a windowed
// program, which gets no console of its own: when it was started from a command prompt
// and has something to print (--help, --version, a wrong option), it prints it there.
#pragma once

namespace quellix::media {

// Leads stdout and stderr to the starting program's console where they lead nowhere
// (Windows, not redirected); elsewhere they are left as they are. Called only when
// something is printed: a program on a console receives that console's Ctrl+C.
void UseCallersConsole();

}  // namespace quellix::media
