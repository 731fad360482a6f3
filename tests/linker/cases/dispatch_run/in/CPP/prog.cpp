// Stand-in program: includes the linker's source the way the main support file does, and
// dispatches every combination of specializations to print which handler answers.
#include "App.h"
#include "_VYK_ppp.cpp"
#include <cstdio>
#include <cstring>
#include <new>

const char* Geo::VYK_HANDLER_Name_0(Shape* s) { return s->VYK_SPEC_Geo_Circle->radius == 1 ? "Geo.Name[Circle]" : "?"; }
const char* Geo::VYK_HANDLER_Meet_1(Shape*, Tok* t) { return t->VYK_SPEC_a->value == 4 ? "Geo.Meet[Circle,a]" : "?"; }
const char* Draw::VYK_HANDLER_Name_0(Geo::Shape* s) { return s->VYK_SPEC_Geo_Rect->width == 2 ? "Draw.Name[Rect]" : "?"; }
const char* Draw::VYK_HANDLER_Name_1(Geo::Shape* s) { return s->VYK_SPEC_Draw_Tri->corners == 3 ? "Draw.Name[Tri]" : "?"; }
const char* Draw::VYK_HANDLER_Meet_2(Geo::Shape*, Geo::Tok*) { return "Draw.Meet[Tri,b]"; }
const char* Draw::VYK_HANDLER_Meet_3(Geo::Shape*, Geo::Tok*) { return "Draw.Meet[Square,c]"; }
const char* App::VYK_HANDLER_Name_0(Geo::Shape* s) { return s->VYK_SPEC_Geo_Square->side == 3 ? "App.Name[Square]" : "?"; }
const char* App::VYK_HANDLER_Meet_1(Geo::Shape*, Geo::Tok*) { return "App.Meet[Rect,c]"; }

typedef const char* (*NameProc)(Geo::Shape*);
typedef const char* (*MeetProc)(Geo::Shape*, Geo::Tok*);

struct ShapeKind { const char* name; void (*init)(Geo::Shape*); };
struct TokKind { const char* name; void (*init)(Geo::Tok*); };

int main()
{
    const ShapeKind shapes[] = {{"Circle", Geo::Shape::VYK_INIT_Geo_Circle}, {"Rect", Geo::Shape::VYK_INIT_Geo_Rect},
                                {"Tri", Geo::Shape::VYK_INIT_Draw_Tri}, {"Square", Geo::Shape::VYK_INIT_Geo_Square}};
    const TokKind toks[] = {{"a", Geo::Tok::VYK_INIT_a}, {"b", Geo::Tok::VYK_INIT_b}, {"c", Geo::Tok::VYK_INIT_c}};
    for (const ShapeKind& k : shapes) {
        Geo::Shape s(k.init);
        void* h = VYK_COMMON_Geo_Name(&s);
        std::printf("Name(%s) id %d -> %s\n", k.name, s.VYK_SID, h ? ((NameProc)h)(&s) : "none");
    }
    for (const ShapeKind& k : shapes) {
        for (const TokKind& t : toks) {
            Geo::Shape s(k.init);
            Geo::Tok v(t.init);
            void* h = VYK_COMMON_Geo_Meet(&s, &v);
            std::printf("Meet(%s,%s) -> %s\n", k.name, t.name, h ? ((MeetProc)h)(&s, &v) : "default");
        }
    }
    // A value made by an initialisation function that sets no record must not free garbage.
    alignas(Geo::Tok) unsigned char place[sizeof(Geo::Tok)];
    std::memset(place, 0xA5, sizeof place);
    Geo::Tok* tagOnly = new (place) Geo::Tok(Geo::Tok::VYK_INIT_b);
    std::printf("tag without type: id %d, free %s\n", tagOnly->VYK_SID, tagOnly->VYK_FREE ? "set" : "empty");
    tagOnly->~Tok();
    Geo::Shape none;
    std::printf("fresh value: id %d\n", none.VYK_SID);
    return 0;
}
