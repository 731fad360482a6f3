// Vybind entry point (placeholder until the program lands).
#include <cstdio>
int main() { std::puts("Vybind: not built yet"); return 1; }
