// VYK entry point (placeholder until the program lands).
#include <cstdio>
int main() { std::puts("VYK: not built yet"); return 1; }
