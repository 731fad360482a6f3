// Stand-in for the compiler's header of the main module App.
#ifndef VYK_H_FILE_App
#define VYK_H_FILE_App
#include "_VYK_sys.h"
namespace App {
const char* VYK_HANDLER_Name_0(Geo::Shape* s);
const char* VYK_HANDLER_Meet_1(Geo::Shape* s, Geo::Tok* t);
}
#endif
