// Vygen entry point (placeholder until the program lands).
#include <cstdio>
int main() { std::puts("Vygen: not built yet"); return 1; }
