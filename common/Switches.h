// Telling switches from paths on a console program's command line. An argument that begins
// with '-' is a switch (known or not); one that begins with '/' is a switch only when it is
// exactly one of the program's switches (letters compared without regard to case), and a path
// otherwise, so that absolute paths work on Linux.
#pragma once
#include <initializer_list>
#include <string>

bool IsSwitchArgument(const std::string& arg, std::initializer_list<const char*> switches);
