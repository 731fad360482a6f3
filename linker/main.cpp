// Vybind, the VYK linker: joins the common types and common procedures of all modules of a
// program into _VYK_ppp.h and _VYK_ppp.cpp.
#include <string>
#include <vector>
#include "Linker.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    return RunLinker(args);
}
