// Stand-in for the compiler's header of module Draw.
#ifndef VYK_H_FILE_Draw
#define VYK_H_FILE_Draw
#include "_VYK_sys.h"
namespace Draw {
struct Tri { int corners = 3; };
const char* VYK_HANDLER_Name_0(Geo::Shape* s);
const char* VYK_HANDLER_Name_1(Geo::Shape* s);
const char* VYK_HANDLER_Meet_2(Geo::Shape* s, Geo::Tok* t);
const char* VYK_HANDLER_Meet_3(Geo::Shape* s, Geo::Tok* t);
}
#endif
