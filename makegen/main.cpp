// Vygen, the makefile creator: writes the makefile that builds a VYK program.
#include "Vygen.h"

int main(int argc, char** argv)
{
    return RunVygen(std::vector<std::string>(argv + 1, argv + argc));
}
