// Test-only output module for the compiler's run cases.
#include <stdio.h>
#include "Log.h"
void Log::Int(long i) { printf("%ld ", i); }
void Log::Real(long double x) { printf("%.6Lg ", x); }
void Log::Str(char *s, const int n) { printf("%.*s ", n, s); }
void Log::Char(char c) { printf("'%c' ", c); }
void Log::Bool(bool b) { printf("%s ", b ? "TRUE" : "FALSE"); }
void Log::Ln() { printf("\n"); }
void Log::VYK_SYS_Log() {}
