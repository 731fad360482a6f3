// VYK: translates one VYK source module into C++ (see Driver.h for the run).
#include <string>
#include <vector>

#include "driver/Driver.h"
#include "driver/Heap.h"

int main(int argc, char** argv)
{
    PrepareCompilerHeap();
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return RunCompiler(args);
}
