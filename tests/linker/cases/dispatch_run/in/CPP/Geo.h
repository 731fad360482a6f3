// Stand-in for the compiler's header of module Geo.
#ifndef VYK_H_FILE_Geo
#define VYK_H_FILE_Geo
#include "_VYK_sys.h"
namespace Geo {
struct Circle { int radius = 1; };
struct Rect { int width = 2; };
struct Square { int side = 3; };
struct R { int value = 4; };
const char* VYK_HANDLER_Name_0(Shape* s);
const char* VYK_HANDLER_Meet_1(Shape* s, Tok* t);
}
#endif
