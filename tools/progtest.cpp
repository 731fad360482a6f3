// Property test of the compiler: generates many small programs of two modules (B imports A),
// valid ones and ones with exactly one fault that the compiler must refuse (a wrong argument,
// an incompatible assignment, an inapplicable operand, ...), compiles each with VYK and, where
// VYK says OK, checks the generated C++ with g++ -fsyntax-only. The rule it holds the compiler
// to: every program that VYK accepts compiles with g++; beside it, VYK accepts the valid
// programs and refuses the faulty ones, and never ends in an internal error.
//
// The programs of one batch share a project folder; their module-level names carry the
// program's number, so the C++ files of a whole batch are checked by one g++ process (the
// support headers are read once). A batch that g++ refuses is checked again program by program
// to name the offenders.
//
// usage: progtest --bin <folder with VYK and Vybind> --lib <library folder>
//                 [--count N] [--seed S] [--batch N] [--jobs N] [--work <folder>] [--keep]
//                 [--cxx <compiler>] [--verbose]
// Exit code 0 when every program behaved, 1 otherwise (each offender is listed with its source).
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// ---- Deterministic random numbers (the same programs for a seed on every platform) ----

class CRandom {
public:
    explicit CRandom(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return n <= 1 ? 0 : int(Next() % uint64_t(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T> const T& Pick(const std::vector<T>& v) { return v[size_t(Below(int(v.size())))]; }

private:
    uint64_t state;
};

// ---- The type universe of a program ----

enum EType {
    tSInt, tInt, tLInt, tReal, tLReal, tChar, tBool, tSet,
    tR0, tR1, tP0, tP1, tV, tS, tM, tF,
    tCount
};

bool IsInteger(EType t) { return t == tSInt || t == tInt || t == tLInt; }
bool IsNumeric(EType t) { return t <= tLReal; }

struct SVar {
    std::string text;   // as written at the place of use
    EType type;
    bool writable;
};

struct SParam {
    bool byRef;
    EType type;         // tV/tS for open arrays of INTEGER/CHAR when `open`
    bool open;
};

struct SProc {
    std::string text;   // as written at the place of use
    std::vector<SParam> params;
    EType result;       // tCount for a proper procedure
};

const EType kNoResult = tCount;

// ---- One program ----

class CProgram {
public:
    CProgram(uint64_t seed, int number, bool faulty) : rnd(seed), n(number), faulty(faulty)
    {
        tag = "Q" + std::to_string(number);
        modA = "Ga" + tag;
        modB = "Gb" + tag;
        alias = rnd.Chance(30) ? "X" : modA;
    }

    std::string modA, modB;
    std::string textA, textB;
    std::string fault;      // the name of the fault put into B, empty for a valid program

    void Generate()
    {
        GenerateA();
        GenerateB();
    }

private:
    CRandom rnd;
    int n;
    bool faulty;
    std::string tag, alias;
    std::vector<SVar> vars;     // visible at the point of generation
    std::vector<SProc> procs;   // callable
    std::vector<std::string> intConsts;
    std::string typeName[tCount];
    int depthBudget = 0;
    // Operands being generated inside an operator or a function, and ENTIER arguments: a
    // constant operand there folds with the others, and its exact value must stay in range
    // (MAX(SHORTINT) * 28 is an INTEGER, MAX(LONGINT) - 79.1 rounds to 2^63 as a real).
    int nested = 0;
    int inEntier = 0;
    bool inWork = false;   // statements of Work, which has the local arrays of pointers and procedures

    std::string G(const std::string& name) const { return name + tag; }   // a module-level name
    std::string Q(const std::string& name) const { return alias + "." + name + tag; }

    // -- expressions --

    std::vector<const SVar*> VarsOf(EType t, bool writable = false) const
    {
        std::vector<const SVar*> out;
        for (const SVar& v : vars)
            if (v.type == t && (!writable || v.writable)) out.push_back(&v);
        return out;
    }
    std::vector<const SProc*> FunctionsOf(EType t) const
    {
        std::vector<const SProc*> out;
        for (const SProc& p : procs)
            if (p.result == t) out.push_back(&p);
        return out;
    }

    std::string Literal(EType t)
    {
        switch (t) {
        case tSInt: return std::to_string(rnd.Below(100));
        case tInt: return std::to_string(rnd.Below(40000));
        case tLInt: return rnd.Chance(50) || inEntier ? std::to_string(rnd.Below(100000)) : "MAX(LONGINT)";
        case tReal: return std::to_string(rnd.Below(100)) + "." + std::to_string(rnd.Below(10));
        case tLReal: return std::to_string(rnd.Below(100)) + ".5D0";
        case tChar: return rnd.Chance(50) ? std::string("\"") + char('a' + rnd.Below(26)) + "\"" : "41X";
        case tBool: return rnd.Chance(50) ? "TRUE" : "FALSE";
        case tSet: return rnd.Chance(30) ? "{}" : "{" + std::to_string(rnd.Below(8)) + ", " + std::to_string(10 + rnd.Below(5)) + ".." + std::to_string(20 + rnd.Below(10)) + "}";
        case tP0: case tP1: case tF: return "NIL";
        default: return "";
        }
    }

    // The actual argument list of a call of `p`, every argument valid.
    std::string Args(const SProc& p)
    {
        std::string out = "(";
        for (size_t i = 0; i < p.params.size(); ++i) {
            if (i) out += ", ";
            out += Arg(p.params[i]);
        }
        return out + ")";
    }

    std::string Arg(const SParam& par)
    {
        if (par.open) {
            if (par.type == tS && !par.byRef && rnd.Chance(40)) return "\"abc\"";
            auto vs = VarsOf(par.type, par.byRef);
            return vs.empty() ? (par.type == tS ? "\"x\"" : "ERROR") : rnd.Pick(vs)->text;
        }
        if (par.byRef) {
            if (par.type == tR0) {   // a VAR record takes its extensions
                auto vs = VarsOf(rnd.Chance(50) ? tR1 : tR0, true);
                if (!vs.empty()) return rnd.Pick(vs)->text;
            }
            auto vs = VarsOf(par.type, true);
            if (vs.empty()) return "ERROR";
            return rnd.Pick(vs)->text;
        }
        return Expr(par.type, 2);
    }

    std::string Call(const SProc& p) { return p.text + Args(p); }

    std::string Operand(EType t, int depth)
    {
        ++nested;
        std::string e = Expr(t, depth - 1);
        --nested;
        return e;
    }

    // An expression whose type is `t` or, for numeric types, included in it.
    std::string Expr(EType t, int depth)
    {
        if (depth <= 0 || rnd.Chance(25)) return Leaf(t);
        switch (t) {
        case tSInt: case tInt: case tLInt: {
            EType a = EType(rnd.Below(int(t) + 1)), b = EType(rnd.Below(int(t) + 1));
            switch (rnd.Below(14)) {
            case 0: return "(" + Operand(a, depth) + " + " + Operand(b, depth) + ")";
            case 1: return "(" + Operand(a, depth) + " - " + Operand(b, depth) + ")";
            case 2: return "(" + Operand(a, depth) + " * " + Operand(b, depth) + ")";
            case 3: return "(" + Operand(a, depth) + " DIV " + NonZero(b) + ")";
            case 4: return "(" + Operand(a, depth) + " MOD " + NonZero(b) + ")";
            case 5: return "(-" + Paren(Operand(t, depth)) + ")";
            case 6: return "ABS(" + Operand(t, depth) + ")";
            case 7: if (t != tSInt) return "ORD(" + Operand(tChar, depth) + ")"; break;
            case 8: if (t == tLInt) return "ASH(" + Operand(tInt, depth) + ", " + std::to_string(rnd.Below(4)) + ")"; break;
            case 9: if (t == tLInt) {
                        ++inEntier;
                        std::string x = Operand(tReal, depth);
                        --inEntier;
                        return "ENTIER(" + x + " + 0.5)";
                    }
                    break;
            case 10: if (t == tInt) return "SHORT(" + Exact(tLInt) + ")";
                     if (t == tLInt) return "LONG(" + Exact(tInt) + ")";
                     return "SHORT(" + Exact(tInt) + ")";
            // MIN(INTEGER) only where LONGINT is wanted: negated or multiplied as a constant it
            // leaves INTEGER, and the folded LONGINT constant is rightly refused in INTEGER places
            // MAX(SHORTINT) only as a whole SHORTINT expression: with any other constant it
            // leaves SHORTINT
            case 11: return rnd.Chance(50) && (t != tSInt || nested == 0)
                                ? (t == tSInt ? "MAX(SHORTINT)" : t == tInt ? "MIN(SHORTINT)" : "MIN(INTEGER)")
                                : Leaf(t);
            case 12: if (t == tLInt) {
                         auto arrays = LenArrays();
                         if (!arrays.empty()) return "LEN(" + rnd.Pick(arrays) + ")";
                     }
                     break;
            default: break;
            }
            return CallOrLeaf(t, depth);
        }
        case tReal: case tLReal: {
            EType a = EType(rnd.Below(int(t) + 1)), b = EType(rnd.Below(int(t) + 1));
            switch (rnd.Below(8)) {
            case 0: return "(" + Operand(a, depth) + " + " + Operand(b, depth) + ")";
            case 1: return "(" + Operand(a, depth) + " - " + Operand(b, depth) + ")";
            case 2: return "(" + Operand(a, depth) + " * " + Operand(b, depth) + ")";
            case 3: return "(" + Operand(t, depth) + " / " + Operand(t, depth) + ")";
            case 4: return "(-" + Paren(Operand(t, depth)) + ")";
            case 5: return t == tLReal ? "LONG(" + Exact(tReal) + ")" : "SHORT(" + Exact(tLReal) + ")";
            case 6: return "ABS(" + Operand(t, depth) + ")";
            default: return CallOrLeaf(t, depth);
            }
        }
        case tBool: {
            EType a = EType(rnd.Below(tLReal + 1)), b = EType(rnd.Below(tLReal + 1));
            static const char* rel[] = {" = ", " # ", " < ", " <= ", " > ", " >= "};
            switch (rnd.Below(12)) {
            case 0: return "(" + Operand(a, depth) + rel[rnd.Below(6)] + Operand(b, depth) + ")";
            case 1: return "(" + Operand(tBool, depth) + " & " + Operand(tBool, depth) + ")";
            case 2: return "(" + Operand(tBool, depth) + " OR " + Operand(tBool, depth) + ")";
            case 3: return "~" + Paren(Operand(tBool, depth));
            case 4: return "ODD(" + Operand(tInt, depth) + ")";
            case 5: return "(" + SetElement() + " IN " + Operand(tSet, depth) + ")";
            case 6: return "(" + Operand(tChar, depth) + rel[rnd.Below(6)] + Operand(tChar, depth) + ")";
            case 7: return "(" + Operand(tSet, depth) + (rnd.Chance(50) ? " = " : " # ") + Operand(tSet, depth) + ")";
            case 8: {
                auto ps = VarsOf(tP0);
                if (!ps.empty()) return "(" + rnd.Pick(ps)->text + " IS " + typeName[tP1] + ")";
                break;
            }
            case 9: {
                auto ps = VarsOf(rnd.Chance(50) ? tP0 : tP1);
                if (!ps.empty()) return "(" + rnd.Pick(ps)->text + (rnd.Chance(50) ? " = NIL)" : " # NIL)");
                break;
            }
            case 10: {
                auto ss = VarsOf(tS);
                if (!ss.empty()) return "(" + rnd.Pick(ss)->text + rel[rnd.Below(6)] + "\"abc\")";
                break;
            }
            default: break;
            }
            return CallOrLeaf(t, depth);
        }
        case tSet: {
            static const char* op[] = {" + ", " - ", " * ", " / "};
            if (rnd.Chance(60)) return "(" + Operand(tSet, depth) + op[rnd.Below(4)] + Operand(tSet, depth) + ")";
            if (rnd.Chance(50)) return "{" + SetElement() + "}";
            return Leaf(t);
        }
        case tChar:
            switch (rnd.Below(4)) {
            case 0: return "CHR(" + std::to_string(65 + rnd.Below(26)) + ")";
            case 1: return "CAP(" + Operand(tChar, depth) + ")";
            default: return Leaf(t);
            }
        case tP0:
            if (rnd.Chance(40)) return Expr(tP1, depth);
            return CallOrLeaf(t, depth);
        default:
            return CallOrLeaf(t, depth);
        }
    }

    // A variable of exactly type `t` (LONG and SHORT take no other), else a conversion.
    std::string Exact(EType t)
    {
        auto vs = VarsOf(t);
        if (!vs.empty()) return rnd.Pick(vs)->text;
        return t == tLInt ? "ASH(1, 3)" : t == tInt ? "ORD(\"a\")" : t == tLReal ? "LONG(1.5)" : "SHORT(1.5D0)";
    }

    // A set element: a constant in 0..31 or a variable.
    std::string SetElement()
    {
        auto vs = VarsOf(rnd.Chance(50) ? tSInt : tInt);
        if (!vs.empty() && rnd.Chance(50)) return rnd.Pick(vs)->text;
        return std::to_string(rnd.Below(32));
    }

    static std::string Paren(const std::string& e) { return e[0] == '(' ? e : "(" + e + ")"; }
    std::string NonZero(EType t) { return std::to_string(1 + rnd.Below(t == tSInt ? 9 : 99)); }

    std::vector<std::string> LenArrays() const
    {
        std::vector<std::string> out;
        for (const SVar& v : vars)
            if ((v.type == tV || v.type == tS || v.type == tM) && v.text.find('.') == std::string::npos &&
                v.text.find('[') == std::string::npos)
                out.push_back(v.text);
        return out;
    }

    std::string CallOrLeaf(EType t, int depth)
    {
        auto fs = FunctionsOf(t);
        if (!fs.empty() && depth > 0 && rnd.Chance(40)) return Call(*rnd.Pick(fs));
        return Leaf(t);
    }

    // A literal, a variable, a constant or an element of a structure.
    std::string Leaf(EType t)
    {
        std::vector<EType> kinds{t};
        if (IsNumeric(t))
            for (int k = tSInt; k < t; ++k) kinds.push_back(EType(k));
        EType k = rnd.Pick(kinds);
        int choice = rnd.Below(6);
        if (choice == 0 && IsInteger(k) && !intConsts.empty() && k >= tInt) return rnd.Pick(intConsts);
        if (choice <= 1) {
            std::string lit = Literal(k);
            if (!lit.empty()) return lit;
        }
        if (choice == 2) {   // an element of an array or a field
            if (k == tInt) {
                auto vs = VarsOf(tV);
                if (!vs.empty()) return rnd.Pick(vs)->text + "[" + std::to_string(rnd.Below(5)) + "]";
            }
            if (k == tLInt) {
                auto ms = VarsOf(tM);
                if (!ms.empty()) return rnd.Pick(ms)->text + "[" + std::to_string(rnd.Below(3)) + ", " + std::to_string(rnd.Below(4)) + "]";
            }
            if (k == tChar) {
                auto ss = VarsOf(tS);
                if (!ss.empty()) return rnd.Pick(ss)->text + "[" + std::to_string(rnd.Below(8)) + "]";
            }
            if (k == tInt || k == tChar || k == tSet) {
                auto rs = VarsOf(rnd.Chance(50) ? tR0 : tR1);
                const char* field = k == tInt ? ".i" : k == tChar ? ".c" : ".s";
                if (!rs.empty()) return rnd.Pick(rs)->text + field;
            }
            if (k == tReal) {
                auto ps = VarsOf(tP1);
                if (!ps.empty()) return rnd.Pick(ps)->text + ".r";
                auto rs = VarsOf(tR1);
                if (!rs.empty()) return rnd.Pick(rs)->text + ".r";
            }
            if (k == tInt) {
                auto ps = VarsOf(rnd.Chance(50) ? tP0 : tP1);
                if (!ps.empty()) return rnd.Pick(ps)->text + (rnd.Chance(50) ? ".i" : "^.i");
            }
        }
        auto vs = VarsOf(k);
        if (!vs.empty()) return rnd.Pick(vs)->text;
        std::string lit = Literal(k);
        if (!lit.empty()) return lit;
        auto fs = FunctionsOf(k);
        if (!fs.empty()) return Call(*rnd.Pick(fs));
        return "ERROR";
    }

    // -- statements --

    std::string Designator(EType t)
    {
        auto vs = VarsOf(t, true);
        if (vs.empty()) return "";
        return rnd.Pick(vs)->text;
    }

    std::string Statement(int depth, const std::string& indent, EType result)
    {
        std::string in = indent + "  ";
        int kind = rnd.Below(depth > 0 ? 22 : 12);
        switch (kind) {
        case 0: case 1: case 2: case 3: {   // assignment to a scalar
            EType t = EType(rnd.Below(tSet + 1));
            std::string d = Designator(t);
            if (d.empty()) break;
            return indent + d + " := " + Expr(t, 3);
        }
        case 4: {   // assignment of a structure
            EType t = EType(tR0 + rnd.Below(tF - tR0 + 1));
            std::string d = Designator(t);
            if (d.empty()) break;
            if (t == tS && rnd.Chance(50)) return indent + d + " := \"text\"";
            if (t == tR0 && rnd.Chance(50)) {
                auto rs = VarsOf(tR1);
                if (!rs.empty()) return indent + d + " := " + rnd.Pick(rs)->text;
            }
            if (t == tP0 || t == tP1 || t == tF) return indent + d + " := " + Expr(t, 2);
            auto vs = VarsOf(t);
            if (vs.empty()) break;
            return indent + d + " := " + rnd.Pick(vs)->text;
        }
        case 5: case 6: {   // a proper procedure call
            std::vector<const SProc*> proper = FunctionsOf(kNoResult);
            if (proper.empty()) break;
            return indent + Call(*rnd.Pick(proper));
        }
        case 7: {   // predeclared procedures
            switch (rnd.Below(7)) {
            case 0: { auto d = Designator(EType(rnd.Below(3))); if (!d.empty()) return indent + "INC(" + d + ")"; break; }
            case 1: { auto d = Designator(tLInt); if (!d.empty()) return indent + "DEC(" + d + ", " + Expr(tInt, 1) + ")"; break; }
            case 2: { auto d = Designator(tSet); if (!d.empty()) return indent + (rnd.Chance(50) ? "INCL(" : "EXCL(") + d + ", " + std::to_string(rnd.Below(32)) + ")"; break; }
            case 3: { auto d = Designator(rnd.Chance(50) ? tP0 : tP1); if (!d.empty()) return indent + "NEW(" + d + ")"; break; }
            case 4: { auto d = Designator(tS); if (!d.empty()) return indent + "COPY(\"abc\", " + d + ")"; break; }
            case 5: return indent + "ASSERT(" + Expr(tBool, 2) + (rnd.Chance(30) ? ", 7)" : ")");
            default: { auto d = Designator(tR0); if (!d.empty()) return indent + d + ".Put(" + Expr(tInt, 1) + ")"; break; }
            }
            break;
        }
        case 8: {   // type guard and type-bound call
            auto ps = VarsOf(tP0);
            if (ps.empty()) break;
            auto xs = VarsOf(tReal, true);
            const SVar* p = rnd.Pick(ps);
            if (!xs.empty() && rnd.Chance(50)) return indent + rnd.Pick(xs)->text + " := " + p->text + "(" + typeName[tP1] + ").r";
            auto is = VarsOf(tInt, true);
            if (is.empty()) break;
            return indent + rnd.Pick(is)->text + " := " + p->text + ".Get()";
        }
        case 9: {   // arrays whose element type is one of A's array types
            const std::string ga = G("ga"), gm = G("gm"), gpa = G("gpa");
            std::string k = std::to_string(rnd.Below(2)), j = std::to_string(rnd.Below(3));
            std::string sep = rnd.Chance(50) ? ", " : "][";
            switch (rnd.Below(7)) {
            case 0: return indent + ga + "[" + k + sep + j + "].i := " + Expr(tInt, 2);
            case 1: return indent + (rnd.Chance(50) ? ga + "[" + k + "] := " + Q("ra") : Q("ra") + " := " + ga + "[" + k + "]");
            case 2: { auto d = Designator(tInt); if (!d.empty()) return indent + d + " := " + Q("Rows") + "(" + ga + "[" + k + "])"; break; }
            case 3: { auto d = Designator(tLInt); if (!d.empty()) return indent + d + " := LEN(" + ga + ", 1) + LEN(" + gm + "[" + k + "], 1) + " + Q("Sum") + "(" + gm + "[" + k + "])"; break; }
            case 4: return indent + gm + "[" + k + sep + j + ", " + std::to_string(rnd.Below(4)) + "] := " + Expr(tLInt, 2);
            case 5: return indent + "NEW(" + gpa + "[" + k + sep + std::to_string(rnd.Below(2)) + "])";
            default: { auto d = Designator(tInt); if (!d.empty()) return indent + d + " := " + gpa + "[" + k + ", 1].i + " + ga + "[1][" + j + "].i"; break; }
            }
            break;
        }
        case 10: case 11: return indent + PointerShapes();
        case 12: case 13: {   // IF
            std::string s = indent + "IF " + Expr(tBool, 2) + " THEN\n" + Seq(depth - 1, in, result);
            if (rnd.Chance(40)) s += indent + "ELSIF " + Expr(tBool, 2) + " THEN\n" + Seq(depth - 1, in, result);
            if (rnd.Chance(50)) s += indent + "ELSE\n" + Seq(depth - 1, in, result);
            return s + indent + "END";
        }
        case 14: return indent + "WHILE " + Expr(tBool, 2) + " DO\n" + Seq(depth - 1, in, result) + indent + "END";
        case 15: return indent + "REPEAT\n" + Seq(depth - 1, in, result) + indent + "UNTIL " + Expr(tBool, 2);
        case 16: {   // FOR
            auto cs = VarsOf(tInt, true);
            std::vector<const SVar*> plain;
            for (auto* c : cs)
                if (c->text.find_first_of(".[^") == std::string::npos) plain.push_back(c);
            if (plain.empty()) break;
            std::string by = rnd.Chance(40) ? " BY " + std::string(rnd.Chance(50) ? "-" : "") + std::to_string(1 + rnd.Below(3)) : "";
            return indent + "FOR " + rnd.Pick(plain)->text + " := " + Expr(tInt, 1) + " TO " + Expr(tInt, 1) + by + " DO\n" +
                   Seq(depth - 1, in, result) + indent + "END";
        }
        case 17: {   // CASE
            if (rnd.Chance(50)) {
                std::string s = indent + "CASE " + Expr(tInt, 2) + " OF\n";
                s += indent + "  1: " + Flat(depth) + "\n";
                s += indent + "| 2, 4..6: " + Flat(depth) + "\n";
                if (rnd.Chance(50)) s += indent + "| 10..20: " + Flat(depth) + "\n";
                if (rnd.Chance(60)) s += indent + "ELSE " + Flat(depth) + "\n";
                return s + indent + "END";
            }
            auto cs = VarsOf(tChar);
            std::string s = indent + "CASE " + (cs.empty() ? "CHR(65)" : rnd.Pick(cs)->text) + " OF\n";
            s += indent + "  \"a\": " + Flat(depth) + "\n";
            s += indent + "| \"b\"..\"d\", \"x\": " + Flat(depth) + "\n";
            s += indent + "ELSE\n";
            return s + indent + "END";
        }
        case 18: {   // LOOP
            std::string body = Seq(depth - 1, in, result);
            body.back() = ';';
            return indent + "LOOP\n" + body + "\n" + in + "IF " + Expr(tBool, 1) + " THEN EXIT END\n" + indent + "END";
        }
        case 19: {   // WITH
            auto ps = VarsOf(tP0);
            std::vector<const SVar*> plain;
            for (auto* p : ps)
                if (p->text.find_first_of(".[^") == std::string::npos) plain.push_back(p);
            auto xs = VarsOf(tReal, true);
            if (plain.empty() || xs.empty()) break;
            const SVar* p = rnd.Pick(plain);
            std::string s = indent + "WITH " + p->text + ": " + typeName[tP1] + " DO " + rnd.Pick(xs)->text + " := " + p->text + ".r";
            if (rnd.Chance(50)) s += "\n" + indent + "| " + p->text + ": " + typeName[tP0] + " DO " + rnd.Pick(xs)->text + " := " + p->text + ".i";
            if (rnd.Chance(50)) s += "\n" + indent + "ELSE";
            return s + "\n" + indent + "END";
        }
        case 20:
            if (result != kNoResult && rnd.Chance(30)) return indent + "IF " + Expr(tBool, 1) + " THEN RETURN " + Expr(result, 2) + " END";
            break;
        default: break;
        }
        std::string d = Designator(tInt);
        return d.empty() ? indent : indent + d + " := " + Expr(tInt, 2);
    }

    // Pointers, records and arrays declared in place, and elements reached without "^": NEW of
    // their objects, fields and elements through them, whole assignments (statements joined by
    // ";", so that they also stand in a CASE branch).
    std::string PointerShapes()
    {
        std::string k = std::to_string(rnd.Below(2)), j = std::to_string(rnd.Below(2)), r = std::to_string(rnd.Below(3));
        std::string sep = rnd.Chance(50) ? ", " : "][";
        std::string e = Expr(tInt, 1);
        if (inWork && rnd.Chance(50)) {
            switch (rnd.Below(6)) {
            case 0: return "NEW(la[" + k + "]); la[" + k + "].i := " + e + "; la[" + k + "]^.a[" + r + "] := la[" + j + "].i";
            case 1: return "lf[" + k + "] := " + Q("Sq") + "; lf[" + j + "] := lf[" + k + "]; i := lf[" + k + "](" + e + ")";
            case 2: return "NEW(lq[" + k + sep + j + "]); lq[" + k + "][" + j + "].v := " + e + "; i := lq[" + k + ", " + j + "]^.v";
            case 3: return "NEW(lpl, " + std::to_string(2 + rnd.Below(3)) + "); NEW(lpl[" + k + "]); lpl[" + k + "].z := " + e +
                           "; lpl[" + k + "].i := lpl[" + k + "]^.z; p0 := lpl[" + k + "]";
            case 4: return "le := lg; le[" + k + "] := lg[" + j + "]; i := le[" + k + "].v";
            default: return "NEW(lpl, 2); NEW(lpl[" + k + "]); l := LEN(lpl^); la[" + j + "] := lpl[" + k + "]";
            }
        }
        const std::string gpl = G("gpl"), gpg = G("gpg"), grows = G("grows"), grec = G("grec");
        const std::string gop = G("gop"), sl = Q("sl"), hs = Q("hs");
        switch (rnd.Below(10)) {
        case 7: return "NEW(" + gop + ", " + std::to_string(1 + rnd.Below(3)) + "); " + gop + "[0, " + j + "].i := " + e +
                       "; " + gop + "[0][" + k + "] := " + gop + "[0, " + j + "]";
        case 8: return "NEW(" + sl + "); NEW(" + sl + ".next); " + sl + ".next.v := " + e + "; " + sl + ".next.next := " + sl +
                       "; NEW(" + hs + "); " + hs + ".n := " + hs + "; " + hs + ".n.k := " + sl + ".next.v";
        case 9: return Q("hr") + " := " + Q("hq") + "; " + Q("hr") + "[" + k + "] := " + Q("hq") + "[" + j + "]; " +
                       Q("ag") + ".v := " + Q("ah") + ".v";
        case 0: return "NEW(" + Q("ap") + "); " + Q("ap") + ".v := " + e;
        case 1: return "NEW(" + Q("an") + "[" + k + "]); " + Q("an") + "[" + k + "].v := " + e;
        case 2: return Q("ae") + " := " + Q("af") + "; " + Q("ae") + "[" + k + "] := " + Q("af") + "[" + r + "]; NEW(" +
                       Q("ae") + "[" + k + "].q); " + Q("ae") + "[" + k + "].q.w := " + e;
        case 3: return "NEW(" + gpl + ", 3); NEW(" + gpl + "[" + k + "]); " + gpl + "[" + k + "].i := " + e + "; " +
                       G("gp") + " := " + gpl + "[" + k + "]";
        case 4: return "NEW(" + gpg + "); NEW(" + gpg + "[" + k + "]); " + gpg + "[" + k + "].g := " + e + "; " + gpg + "[" + k +
                       "].i := " + gpg + "[" + k + "]^.g";
        case 5: return "NEW(" + grows + "[" + k + "]); " + grows + "[" + k + "][" + r + "] := " + e + "; " + grows + "[" + k +
                       ", " + r + "] := " + grows + "[" + k + "]^[" + r + "]";
        default: return "NEW(" + grec + ".a[" + k + "]); " + grec + ".a[" + k + "].v := " + e + "; NEW(" + grec + ".n, 2); NEW(" +
                        grec + ".n[" + k + "]); " + grec + ".n[" + k + "].w := " + grec + ".a[" + k + "].v";
        }
    }

    // One simple statement on one line (CASE branches).
    std::string Flat(int depth)
    {
        std::string s = Statement(0, "", kNoResult);
        (void)depth;
        return s;
    }

    std::string Seq(int depth, const std::string& indent, EType result, int count = 0)
    {
        if (count == 0) count = 1 + rnd.Below(3);
        std::string out;
        for (int i = 0; i < count; ++i) out += Statement(depth, indent, result) + (i + 1 < count ? ";\n" : "\n");
        return out;
    }

    // -- module A: the declarations another module imports --

    void GenerateA()
    {
        std::ostringstream a;
        a << "MODULE " << modA << ";\n";
        a << "CONST\n  one" << tag << "* = 1; ten" << tag << "* = one" << tag << " * 10; name" << tag
          << "* = \"vyk\"; half" << tag << "* = 0.5; ch" << tag << "* = \"z\"; on" << tag << "* = TRUE; bits" << tag
          << "* = {1, 3..5};\n";
        a << "TYPE\n";
        a << "  P0" << tag << "* = POINTER TO R0" << tag << ";\n";
        a << "  P1" << tag << "* = POINTER TO R1" << tag << ";\n";
        a << "  R0" << tag << "* = RECORD i*: INTEGER; c*: CHAR; s*: SET; a*: ARRAY 4 OF INTEGER; h: INTEGER END;\n";
        a << "  R1" << tag << "* = RECORD (R0" << tag << ") r*: REAL; next*: P0" << tag << " END;\n";
        a << "  V" << tag << "* = ARRAY 5 OF INTEGER;\n";
        a << "  S" << tag << "* = ARRAY 8 OF CHAR;\n";
        a << "  M" << tag << "* = ARRAY 3, 4 OF LONGINT;\n";
        a << "  F" << tag << "* = PROCEDURE (x: INTEGER): INTEGER;\n";
        a << "  RA" << tag << "* = ARRAY 3 OF R0" << tag << ";\n";
        a << "  PA" << tag << "* = ARRAY 2 OF P0" << tag << ";\n";
        a << "  PL" << tag << "* = POINTER TO ARRAY OF P0" << tag << ";\n";
        a << "  PG" << tag << "* = POINTER TO ARRAY 2 OF POINTER TO RECORD (R0" << tag << ") g*: INTEGER END;\n";
        a << "  SL" << tag << "* = POINTER TO RECORD next*: SL" << tag << "; v*: INTEGER END;\n";
        a << "  HS" << tag << " = POINTER TO RECORD n*: HS" << tag << "; k*: INTEGER END;\n";
        a << "  HR" << tag << " = ARRAY 2 OF RECORD v*: INTEGER END;\n";
        a << "VAR\n  i" << tag << "*, j" << tag << "-: INTEGER; l" << tag << "*: LONGINT; h" << tag << "*: SHORTINT; x" << tag
          << "*: REAL; y" << tag << "*: LONGREAL; c" << tag << "*: CHAR; b" << tag << "*: BOOLEAN; s" << tag << "*: SET;\n";
        a << "  r0" << tag << "*: R0" << tag << "; r1" << tag << "*: R1" << tag << "; p0" << tag << "*: P0" << tag << "; p1" << tag
          << "*: P1" << tag << "; v" << tag << "*: V" << tag << "; t" << tag << "*: S" << tag << "; m" << tag << "*: M" << tag
          << "; f" << tag << "*: F" << tag << ";\n";
        a << "  ra" << tag << "*: RA" << tag << ";\n";
        a << "  an" << tag << "*: ARRAY 2 OF POINTER TO RECORD v*: INTEGER END; ap" << tag << "*: POINTER TO RECORD v*: INTEGER END;\n";
        a << "  ae" << tag << "*, af" << tag << "*: ARRAY 3 OF RECORD v*: INTEGER; q*: POINTER TO RECORD w*: INTEGER END END;\n";
        // pointers whose records name them (one hidden, which the definition file names), records
        // declared in place by separate declarations (two types) and by a hidden type (one)
        a << "  sl" << tag << "*: SL" << tag << "; hs" << tag << "*: HS" << tag << ";\n";
        a << "  ag" << tag << "*: RECORD v*: INTEGER END; ah" << tag << "*: RECORD v*: INTEGER END; hr" << tag << "*: HR" << tag
          << "; hq" << tag << "*: HR" << tag << ";\n";
        a << "  hidden" << tag << ": INTEGER;\n\n";
        a << "PROCEDURE (p: P0" << tag << ") Get*(): INTEGER;\nBEGIN\n  RETURN p.i\nEND Get;\n\n";
        a << "PROCEDURE (p: P1" << tag << ") Get*(): INTEGER;\nBEGIN\n  RETURN p.Get^() + 1\nEND Get;\n\n";
        a << "PROCEDURE (VAR r: R0" << tag << ") Put*(v: INTEGER);\nBEGIN\n  r.i := v; r.h := v\nEND Put;\n\n";
        a << "PROCEDURE Add" << tag << "*(x: INTEGER; y: LONGINT): LONGINT;\nBEGIN\n  RETURN x + y\nEND Add" << tag << ";\n\n";
        a << "PROCEDURE Sq" << tag << "*(x: INTEGER): INTEGER;\nBEGIN\n  RETURN x * x\nEND Sq" << tag << ";\n\n";
        a << "PROCEDURE Neg" << tag << "*(x: REAL): REAL;\nBEGIN\n  RETURN -x\nEND Neg" << tag << ";\n\n";
        a << "PROCEDURE Swap" << tag << "*(VAR x, y: INTEGER);\n  VAR t: INTEGER;\nBEGIN\n  t := x; x := y; y := t\nEND Swap" << tag << ";\n\n";
        a << "PROCEDURE Fill" << tag << "*(VAR a: ARRAY OF INTEGER; v: INTEGER);\n  VAR k: LONGINT;\nBEGIN\n  FOR k := 0 TO LEN(a) - 1 DO a[k] := v END\nEND Fill" << tag << ";\n\n";
        a << "PROCEDURE Count" << tag << "*(s: ARRAY OF CHAR; c: CHAR): INTEGER;\n  VAR k, n: INTEGER;\nBEGIN\n  n := 0; k := 0;\n"
             "  WHILE (k < LEN(s)) & (s[k] # 0X) DO IF s[k] = c THEN INC(n) END; INC(k) END;\n  RETURN n\nEND Count" << tag << ";\n\n";
        a << "PROCEDURE Init" << tag << "*(VAR r: R0" << tag << ");\nBEGIN\n  r.i := 0; r.c := \"a\"; r.s := {}\nEND Init" << tag << ";\n\n";
        a << "PROCEDURE Apply" << tag << "*(f: F" << tag << "; x: INTEGER): INTEGER;\nBEGIN\n  RETURN f(x)\nEND Apply" << tag << ";\n\n";
        a << "PROCEDURE Make" << tag << "*(): P1" << tag << ";\n  VAR p: P1" << tag << ";\nBEGIN\n  NEW(p); p.r := 1.0; RETURN p\nEND Make" << tag << ";\n\n";
        a << "PROCEDURE Take" << tag << "*(p: P0" << tag << "): BOOLEAN;\nBEGIN\n  RETURN p # NIL\nEND Take" << tag << ";\n\n";
        a << "PROCEDURE Sum" << tag << "*(VAR m: M" << tag << "): LONGINT;\n  VAR k, q: INTEGER; s: LONGINT;\nBEGIN\n  s := 0;\n"
             "  FOR k := 0 TO 2 DO FOR q := 0 TO 3 DO s := s + m[k, q] END END;\n  RETURN s\nEND Sum" << tag << ";\n\n";
        a << "PROCEDURE Rows" << tag << "*(VAR a: RA" << tag << "): INTEGER;\nBEGIN\n  RETURN a[0].i + a[2].i\nEND Rows" << tag << ";\n\n";
        a << "PROCEDURE Flag" << tag << "*(VAR b: BOOLEAN; s: SET);\nBEGIN\n  b := 3 IN s\nEND Flag" << tag << ";\n\n";
        a << "BEGIN\n  i" << tag << " := ten" << tag << "; j" << tag << " := 2; f" << tag << " := Sq" << tag << "; hidden" << tag << " := 0\nEND " << modA << ".\n";
        textA = a.str();
    }

    void AddImported()
    {
        for (int t = 0; t < tCount; ++t) {}
        typeName[tR0] = Q("R0"); typeName[tR1] = Q("R1"); typeName[tP0] = Q("P0"); typeName[tP1] = Q("P1");
        typeName[tV] = Q("V"); typeName[tS] = Q("S"); typeName[tM] = Q("M"); typeName[tF] = Q("F");
        struct { const char* n; EType t; bool w; } imported[] = {
            {"i", tInt, true}, {"j", tInt, false}, {"l", tLInt, true}, {"h", tSInt, true}, {"x", tReal, true},
            {"y", tLReal, true}, {"c", tChar, true}, {"b", tBool, true}, {"s", tSet, true}, {"r0", tR0, true},
            {"r1", tR1, true}, {"p0", tP0, true}, {"p1", tP1, true}, {"v", tV, true}, {"t", tS, true},
            {"m", tM, true}, {"f", tF, true}};
        for (auto& v : imported) vars.push_back({Q(v.n), v.t, v.w});
        intConsts = {Q("one"), Q("ten")};
        procs.push_back({Q("Add"), {{false, tInt, false}, {false, tLInt, false}}, tLInt});
        procs.push_back({Q("Sq"), {{false, tInt, false}}, tInt});
        procs.push_back({Q("Neg"), {{false, tReal, false}}, tReal});
        procs.push_back({Q("Swap"), {{true, tInt, false}, {true, tInt, false}}, kNoResult});
        procs.push_back({Q("Fill"), {{true, tV, true}, {false, tInt, false}}, kNoResult});
        procs.push_back({Q("Count"), {{false, tS, true}, {false, tChar, false}}, tInt});
        procs.push_back({Q("Init"), {{true, tR0, false}}, kNoResult});
        procs.push_back({Q("Apply"), {{false, tF, false}, {false, tInt, false}}, tInt});
        procs.push_back({Q("Make"), {}, tP1});
        procs.push_back({Q("Take"), {{false, tP0, false}}, tBool});
        procs.push_back({Q("Sum"), {{true, tM, false}}, tLInt});
        procs.push_back({Q("Flag"), {{true, tBool, false}, {false, tSet, false}}, kNoResult});
    }

    // -- module B: uses of A and declarations of its own --

    void GenerateB()
    {
        AddImported();
        std::ostringstream b;
        b << "MODULE " << modB << ";\n";
        b << "IMPORT " << (alias == modA ? modA : alias + " := " + modA) << ";\n";
        b << "CONST\n  k" << tag << " = " << Q("ten") << " + 2; e" << tag << "* = " << Literal(tInt) << "; w" << tag << " = \"wide\";\n";
        intConsts.push_back(G("k"));
        intConsts.push_back(G("e"));
        b << "TYPE\n";
        b << "  T" << tag << "* = RECORD (" << typeName[tR1] << ") z*: INTEGER END;\n";
        b << "  PT" << tag << "* = POINTER TO T" << tag << ";\n";
        b << "  W" << tag << " = " << typeName[tV] << ";\n";
        // arrays of A's array types (A's names in them stay A's), and an array of B's own records
        // of the same shape (B's names differ from A's: a batch is checked as one C++ unit)
        b << "  BR" << tag << " = RECORD i: INTEGER END;\n";
        b << "  GA" << tag << " = ARRAY 2 OF " << Q("RA") << ";\n";
        b << "  GM" << tag << " = ARRAY 2 OF " << typeName[tM] << ";\n";
        b << "VAR\n";
        // module-level variables of B
        struct { const char* n; EType t; } own[] = {
            {"gi", tInt}, {"gl", tLInt}, {"gx", tReal}, {"gc", tChar}, {"gb", tBool}, {"gs", tSet},
            {"gr", tR1}, {"gp", tP0}, {"gv", tV}, {"gt", tS}, {"gf", tF}};
        for (auto& v : own) {
            const char* basic[] = {"SHORTINT", "INTEGER", "LONGINT", "REAL", "LONGREAL", "CHAR", "BOOLEAN", "SET"};
            std::string tn = v.t <= tSet ? basic[v.t] : typeName[v.t];
            bool exported = rnd.Chance(30);
            b << "  " << G(v.n) << (exported ? "*" : "") << ": " << tn << ";\n";
            vars.push_back({G(v.n), v.t, true});
        }
        b << "  gw" << tag << ": W" << tag << ";\n";
        b << "  ga" << tag << ": GA" << tag << "; gm" << tag << ": GM" << tag << "; gpa" << tag << ": ARRAY 2 OF " << Q("PA")
          << "; gor" << tag << ": ARRAY 3 OF BR" << tag << ";\n";
        vars.push_back({G("gw"), tV, true});
        b << "  gpl" << tag << ": " << Q("PL") << "; gpg" << tag << ": " << Q("PG") << "; grows" << tag
          << ": ARRAY 2 OF POINTER TO ARRAY 3 OF INTEGER;\n";
        b << "  grec" << tag << ": RECORD a: ARRAY 2 OF POINTER TO RECORD v: INTEGER END; n: POINTER TO ARRAY OF POINTER TO "
             "RECORD w: INTEGER END END;\n";
        b << "  gop" << tag << ": POINTER TO ARRAY OF ARRAY 2 OF " << Q("R0") << ";\n";
        b << "  gq" << tag << ": PT" << tag << ";\n\n";

        // an override of Get in B's own extension
        b << "PROCEDURE (p: PT" << tag << ") Get*(): INTEGER;\nBEGIN\n  RETURN p.Get^() + p.z\nEND Get;\n\n";
        // and of Put, through a VAR receiver
        b << "PROCEDURE (VAR r: T" << tag << ") Put*(v: INTEGER);\nBEGIN\n  r.Put^(v); r.z := v\nEND Put;\n\n";

        // a helper procedure with parameters of each passing kind
        b << "PROCEDURE Help" << tag << "(VAR pi: INTEGER; px: REAL; ps: ARRAY OF CHAR; VAR pv: ARRAY OF INTEGER; VAR pr: "
          << typeName[tR0] << "; pp: " << typeName[tP0] << "; pf: " << typeName[tF] << "): INTEGER;\n";
        b << "BEGIN\n  pi := pi + SHORT(LEN(ps)); pr.i := pi; IF pp # NIL THEN pi := pp.i END;\n"
             "  IF pf # NIL THEN pi := pf(pi) END;\n  pv[0] := pi;\n  RETURN pi\nEND Help" << tag << ";\n\n";
        procs.push_back({G("Help"), {{true, tInt, false}, {false, tReal, false}, {false, tS, true}, {true, tV, true},
                                     {true, tR0, false}, {false, tP0, false}, {false, tF, false}}, tInt});

        // the procedure with the generated statements
        size_t outerVars = vars.size();
        EType result = rnd.Chance(50) ? tInt : kNoResult;
        b << "PROCEDURE Work" << tag << "(n: INTEGER; VAR out: LONGINT; name: ARRAY OF CHAR; VAR rec: " << typeName[tR1] << ")"
          << (result == tInt ? ": INTEGER" : "") << ";\n";
        b << "  CONST lim = 5;\n";
        b << "  VAR i, k: INTEGER; l: LONGINT; h: SHORTINT; x: REAL; y: LONGREAL; c: CHAR; b: BOOLEAN; s: SET;\n"
             "    r0: " << typeName[tR0] << "; r1: " << typeName[tR1] << "; p0: " << typeName[tP0] << "; p1: " << typeName[tP1]
          << ";\n    v: " << typeName[tV] << "; t: " << typeName[tS] << "; m: " << typeName[tM] << "; f: " << typeName[tF] << ";\n";
        b << "    la: ARRAY 3 OF " << typeName[tP0] << "; lf: ARRAY 2 OF " << typeName[tF]
          << "; lq: ARRAY 2, 2 OF POINTER TO RECORD v: INTEGER END;\n"
             "    lpl: POINTER TO ARRAY OF POINTER TO RECORD (" << typeName[tR0] << ") z: INTEGER END;\n"
             "    le, lg: ARRAY 2 OF RECORD v: INTEGER END;\n";
        struct { const char* n; EType t; } locals[] = {
            {"i", tInt}, {"k", tInt}, {"l", tLInt}, {"h", tSInt}, {"x", tReal}, {"y", tLReal}, {"c", tChar},
            {"b", tBool}, {"s", tSet}, {"r0", tR0}, {"r1", tR1}, {"p0", tP0}, {"p1", tP1}, {"v", tV},
            {"t", tS}, {"m", tM}, {"f", tF}};
        for (auto& v : locals) vars.push_back({v.n, v.t, true});
        vars.push_back({"n", tInt, true});
        vars.push_back({"out", tLInt, true});
        vars.push_back({"rec", tR1, true});
        intConsts.push_back("lim");
        b << "BEGIN\n";
        std::vector<std::string> body;
        int count = 3 + rnd.Below(8);
        inWork = true;
        for (int i = 0; i < count; ++i) body.push_back(Statement(2, "  ", result));
        if (rnd.Chance(40)) body.push_back("  i := Help" + tag + Args(procs.back()));
        if (faulty) {
            std::string wrong = Fault();
            body.insert(body.begin() + rnd.Below(int(body.size()) + 1), "  " + wrong);
        }
        for (size_t i = 0; i < body.size(); ++i) b << body[i] << (i + 1 < body.size() ? ";\n" : "\n");
        if (result == tInt) b << "  ;RETURN " << Expr(tInt, 2) << "\n";
        inWork = false;
        b << "END Work" << tag << ";\n\n";
        vars.resize(outerVars);
        intConsts.pop_back();

        b << "BEGIN\n";
        b << "  NEW(gq" << tag << "); gi" << tag << " := gq" << tag << ".Get();\n";
        int mcount = 1 + rnd.Below(4);
        for (int i = 0; i < mcount; ++i) b << Statement(1, "  ", kNoResult) << ";\n";
        b << "  Work" << tag << "(1, gl" << tag << ", \"abc\", gr" << tag << ")" << (result == tInt ? "" : "") << "\n";
        b << "END " << modB << ".\n";
        textB = b.str();
        if (result == tInt) {   // a function is not called as a statement: call it in an assignment
            std::string from = "  Work" + tag + "(1, gl" + tag + ", \"abc\", gr" + tag + ")\n";
            size_t at = textB.rfind(from);
            if (at != std::string::npos)
                textB.replace(at, from.size(), "  gi" + tag + " := Work" + tag + "(1, gl" + tag + ", \"abc\", gr" + tag + ")\n");
        }
    }

    // One statement with a fault that the compiler must refuse; sets `fault` to its class.
    std::string Fault()
    {
        const std::string A = alias + ".";
        const std::string R1 = typeName[tR1], P1 = typeName[tP1], R0 = typeName[tR0];
        struct SFault { const char* cls; std::string text; };
        std::vector<SFault> faults = {
            // assignments
            {"assign", "i := x"}, {"assign", "i := l"}, {"assign", "h := i"}, {"assign", "c := i"},
            {"assign", "b := i"}, {"assign", "s := i"}, {"assign", "i := b"}, {"assign", "i := c"},
            {"assign", "x := y"}, {"assign", "l := 1.5"}, {"assign", "i := s"}, {"assign", "c := \"ab\""},
            {"assign", "r1 := r0"}, {"assign", "p1 := p0"}, {"assign", "p0 := r0"}, {"assign", "r0 := p0"},
            {"assign", "f := " + Q("Neg")}, {"assign", "f := i"}, {"assign", "f := " + Q("Swap")},
            {"assign", "v := t"}, {"assign", "m := v"}, {"assign", "v := 1"}, {"assign", "t := v"},
            {"assign", "i := NIL"}, {"assign", "b := NIL"}, {"assign", "p0 := " + Q("Sq")},
            {"assign", "r0.i := TRUE"}, {"assign", "p1.r := b"}, {"assign", "v[0] := x"}, {"assign", "t[0] := 1"},
            {"assign", Q("r0") + ".i := x"}, {"assign", "x := p0"}, {"assign", "c := s"}, {"assign", "p0 := 0"},
            {"assign", "gq" + tag + " := p1"}, {"assign", "p0 := " + Q("v")}, {"assign", "s := {1.5}"},
            {"readonly", Q("j") + " := 1"}, {"readonly", "lim := 1"}, {"readonly", Q("one") + " := 2"},
            {"readonly", "INC(" + Q("j") + ")"}, {"readonly", Q("Swap") + "(" + Q("j") + ", i)"},
            // calls
            {"call", Q("Swap") + "(i, l)"}, {"call", Q("Swap") + "(i, 1)"}, {"call", Q("Swap") + "(i, i + 1)"},
            {"call", Q("Swap") + "(i, h)"}, {"call", Q("Swap") + "(x, i)"}, {"call", "i := " + Q("Sq") + "(x)"},
            {"call", "i := " + Q("Sq") + "(b)"}, {"call", "i := " + Q("Sq") + "(l)"}, {"call", "i := " + Q("Sq") + "(c)"},
            {"call", "i := " + Q("Sq") + "(\"ab\")"}, {"call", "l := " + Q("Add") + "(i, x)"},
            {"call", Q("Fill") + "(t, 1)"}, {"call", Q("Fill") + "(m, 1)"}, {"call", Q("Fill") + "(i, 1)"},
            {"call", Q("Fill") + "(v, x)"}, {"call", Q("Init") + "(p0)"}, {"call", Q("Init") + "(i)"},
            {"call", Q("Init") + "(v)"}, {"call", "i := " + Q("Apply") + "(" + Q("Neg") + ", 1)"},
            {"call", "i := " + Q("Apply") + "(i, 1)"}, {"call", "i := " + Q("Apply") + "(" + Q("Swap") + ", 1)"},
            {"call", "b := " + Q("Take") + "(r0)"}, {"call", "b := " + Q("Take") + "(i)"},
            {"call", "i := " + Q("Count") + "(i, \"a\")"}, {"call", "i := " + Q("Count") + "(v, \"a\")"},
            {"call", "i := " + Q("Count") + "(t, 1)"}, {"call", Q("Flag") + "(TRUE, s)"}, {"call", Q("Flag") + "(b, i)"},
            {"call", "l := " + Q("Sum") + "(v)"}, {"call", "i := Help" + tag + "(l, x, t, v, r0, p0, f)"},
            {"call", "i := Help" + tag + "(i, b, t, v, r0, p0, f)"}, {"call", "i := Help" + tag + "(i, x, t, t, r0, p0, f)"},
            {"call", "i := Help" + tag + "(i, x, t, v, p0, p0, f)"}, {"call", "i := Help" + tag + "(i, x, t, v, r0, r0, f)"},
            {"call", "i := Help" + tag + "(i, x, t, v, r0, p0, " + Q("Neg") + ")"}, {"call", "i := Help" + tag + "(i, x, 1, v, r0, p0, f)"},
            {"assign", "ga" + tag + "[0] := gor" + tag}, {"assign", "gm" + tag + "[1] := v"},
            {"call", "i := " + Q("Rows") + "(gor" + tag + ")"}, {"call", "l := " + Q("Sum") + "(gm" + tag + ")"},
            {"stmt", "i := ga" + tag + "[0, 1, 2].i"},
            {"call", "r0.Put(x)"}, {"call", "i := p0.Get(1)"}, {"call", "i := " + Q("Sq") + "()"},
            {"call", "i := " + Q("Sq") + "(1, 2)"}, {"call", "i := " + Q("Swap") + "(i, k)"}, {"call", "i := f(x)"},
            {"call", "i := f(i, i)"}, {"call", "p1 := " + Q("Make")}, {"call", Q("Sq") + "(1)"},
            // operands
            {"operand", "i := i + b"}, {"operand", "b := b & i"}, {"operand", "b := ~i"}, {"operand", "l := x DIV 2"},
            {"operand", "i := i MOD x"}, {"operand", "s := s + i"}, {"operand", "b := i IN i"}, {"operand", "i := c + 1"},
            {"operand", "b := r0 = r0"}, {"operand", "b := p0 = i"}, {"operand", "b := i IS " + P1}, {"operand", "b := -b"}, {"operand", "b := c < 1"}, {"operand", "b := t = i"},
            {"operand", "b := p0 = f"}, {"operand", "b := b < b"}, {"operand", "b := s < s"}, {"operand", "x := x MOD 2"},
            {"operand", "b := p0 = p1.r"}, {"operand", "i := -c"}, {"operand", "b := v = v"},
{"operand", "s := s * 3"}, {"operand", "b := b OR 1"},
            // statements and predeclared procedures
            {"stmt", "IF i THEN END"}, {"stmt", "WHILE x DO END"}, {"stmt", "REPEAT UNTIL s"}, {"stmt", "INC(x)"},
            {"stmt", "INC(i, 1.5)"}, {"stmt", "NEW(i)"}, {"stmt", "NEW(r0)"}, {"stmt", "COPY(i, t)"},
            {"stmt", "INCL(i, 1)"}, {"stmt", "ASSERT(i)"}, {"stmt", "l := LEN(i)"}, {"stmt", "c := CHR(x)"},
            {"stmt", "i := ORD(i)"}, {"stmt", "l := ENTIER(i)"}, {"stmt", "c := CAP(i)"},
            {"stmt", "FOR x := 1 TO 2 DO END"}, {"stmt", "FOR i := 0 TO x DO END"}, {"stmt", "FOR i := 0 TO 3 BY 0 DO END"},
            {"stmt", "CASE x OF 1: END"}, {"stmt", "CASE i OF \"a\": END"}, {"stmt", "WITH i: " + P1 + " DO END"},
            {"stmt", "WITH p0: " + R1 + " DO END"}, {"stmt", "x := p0(" + R1 + ").r"}, {"stmt", "i := i(" + P1 + ")"},
            {"stmt", "i := i[0]"}, {"stmt", "i := i.f"}, {"stmt", "i := i^"}, {"stmt", "i := v[1.5]"},
            {"stmt", "i := v[c]"}, {"stmt", "EXCL(s, x)"}, {"stmt", "DEC(c)"}, {"stmt", "COPY(t, i)"},
            {"stmt", "i := ABS(b)"}, {"stmt", "b := ODD(x)"}, {"stmt", "l := ASH(x, 1)"}, {"stmt", "i := r0"},
{"stmt", "r0.Get()"}, {"stmt", "i := t.i"}, {"stmt", "x := p0(" + P1 + ")"},
            {"stmt", "i := LONG(l)"}, {"stmt", "h := SHORT(h)"},
            {"stmt", "NEW(la)"}, {"assign", "lf[0] := " + Q("Neg")}, {"assign", Q("ae") + "[0] := le[1]"},
            {"assign", "la[0] := lq[0, 0]"}, {"stmt", "NEW(lpl)"}, {"stmt", "i := lq[0, 0, 0].v"},
            {"assign", Q("ag") + " := " + Q("ah")}, {"assign", Q("sl") + " := " + Q("hs")},
            {"stmt", "NEW(" + G("gop") + ", 2, 3)"}, {"stmt", "NEW(" + G("gop") + ")"},
        };
        const SFault& f = faults[size_t(rnd.Below(int(faults.size())))];
        fault = std::string(f.cls) + ": " + f.text;
        (void)A; (void)R0;
        return f.text;
    }
};

// ---- Running the tools ----

// Runs `args` in `dir` with standard output and error into `outFile`; the exit code, or -1
// when the program ended through a signal or could not start. Batches run on several threads,
// so the child calls only what is safe after a fork: it must not allocate, since another
// thread may hold the allocator's lock at the moment of the fork (the child then waits for
// it forever), hence the argument vector is built before.
int Run(const std::vector<std::string>& args, const std::string& dir, const std::string& outFile)
{
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(127);
        int fd = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0) _exit(127);
        dup2(fd, 1);
        dup2(fd, 2);
        close(fd);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

std::string FirstLines(const std::string& text, int lines)
{
    std::string out;
    std::istringstream in(text);
    std::string line;
    while (lines-- > 0 && std::getline(in, line)) out += "    " + line + "\n";
    return out;
}

struct SOptions {
    std::string bin, lib, work, cxx = "g++";
    long count = 200;
    uint64_t seed = 1;
    int batch = 100, jobs = 2;
    bool keep = false, verbose = false;
};

struct SResult {
    long programs = 0, valid = 0, faulty = 0, accepted = 0, gxxChecked = 0;
    long overflowed = 0;   // valid by construction, refused for a constant part beyond LONGINT
    std::vector<std::string> problems;
    std::map<std::string, long> refusedFaults;   // fault class -> refused count
    std::map<std::string, long> acceptedFaults;
};

// One batch: programs [first, first + count) in their own project folder.
void RunBatch(const SOptions& opt, long first, long count, SResult& res, std::mutex& lock)
{
    std::string dir = opt.work + "/b" + std::to_string(first);
    mkdir(dir.c_str(), 0755);
    mkdir((dir + "/CPP").c_str(), 0755);
    mkdir((dir + "/DFN").c_str(), 0755);
    WriteFile(dir + "/vydeskpro.tmp", "IMPORT=" + opt.lib + "/\n");
    const std::string vyk = opt.bin + "/VYK";
    SResult local;
    std::vector<long> accepted;
    std::map<long, std::string> sources;
    for (long p = first; p < first + count; ++p) {
        // one program in four is valid, the others carry one fault each
        uint64_t seed = opt.seed * 1000003ull + uint64_t(p);
        bool faulty = (p % 4) != 0;
        CProgram prog(seed, int(p), faulty);
        prog.Generate();
        ++local.programs;
        (faulty ? local.faulty : local.valid)++;
        std::string a = prog.modA + ".vyk", b = prog.modB + ".vyk";
        WriteFile(dir + "/" + a, prog.textA);
        WriteFile(dir + "/" + b, prog.textB);
        std::string show = "--- " + a + "\n" + prog.textA + "--- " + b + "\n" + prog.textB;
        sources[p] = show;
        std::string out = dir + "/out.txt";
        int codeA = Run({vyk, a, "vydeskpro.tmp", "-a"}, dir, out);
        std::string textA = ReadFile(out);
        if (codeA != 0) {
            local.problems.push_back("program " + std::to_string(p) + " (seed " + std::to_string(opt.seed) +
                                     "): the imported module was refused (exit " + std::to_string(codeA) + ")\n" +
                                     FirstLines(textA, 3) + show);
            continue;
        }
        int codeB = Run({vyk, b, "vydeskpro.tmp", "-a"}, dir, out);
        std::string textB = ReadFile(out);
        std::string where = "program " + std::to_string(p) + " (seed " + std::to_string(opt.seed) + ")";
        if ((codeB != 0 && codeB != 1) || textB.find("INTERNAL") != std::string::npos) {
            local.problems.push_back(where + ": VYK ended with exit " + std::to_string(codeB) + "\n" + FirstLines(textB, 3) + show);
            continue;
        }
        if (codeB == 0) {
            ++local.accepted;
            accepted.push_back(p);
            if (faulty) {
                ++local.acceptedFaults[prog.fault.substr(0, prog.fault.find(':'))];
                local.problems.push_back(where + ": VYK accepted a fault, " + prog.fault + "\n");
                if (opt.verbose) local.problems.back() += show;
            }
        } else if (faulty) {
            ++local.refusedFaults[prog.fault.substr(0, prog.fault.find(':'))];
        } else if (textB.find("Constant expression overflows") != std::string::npos) {
            // The generator does not track the size of constant parts: a product of large
            // literals may pass MAX(LONGINT), and refusing it is the compiler's duty.
            ++local.overflowed;
        } else {
            local.problems.push_back(where + ": VYK refused a valid program\n" + FirstLines(textB, 3) + show);
        }
    }
    // The support files come with a main module; the linker's file with the linker.
    WriteFile(dir + "/Zmain.vyk", "MODULE Zmain;\nEND Zmain.\n");
    std::string out = dir + "/out.txt";
    if (Run({vyk, "Zmain.vyk", "vydeskpro.tmp", "-a", "-m"}, dir, out) != 0 ||
        Run({opt.bin + "/Vybind", "CPP/_VYK_make.vym", "-a"}, dir, out) != 0) {
        local.problems.push_back("batch " + std::to_string(first) + ": the support files were not made\n" + FirstLines(ReadFile(out), 5));
    } else if (!accepted.empty()) {
        auto unit = [&](const std::vector<long>& progs) {
            std::string text;
            for (long p : progs) {
                std::string tag = "Q" + std::to_string(p);
                text += "#include \"Ga" + tag + ".cpp\"\n#include \"Gb" + tag + ".cpp\"\n";
            }
            return text;
        };
        auto gxx = [&](const std::vector<long>& progs, std::string& messages) {
            WriteFile(dir + "/CPP/VYK_batch.cpp", unit(progs));
            int code = Run({opt.cxx, "-fsyntax-only", "-I.", "VYK_batch.cpp"}, dir + "/CPP", dir + "/gxx.txt");
            messages = ReadFile(dir + "/gxx.txt");
            return code == 0;
        };
        // halves of a refused set are checked again until single programs are left
        std::vector<std::vector<long>> pending{accepted};
        while (!pending.empty()) {
            std::vector<long> set = std::move(pending.back());
            pending.pop_back();
            std::string messages;
            if (gxx(set, messages)) continue;
            if (set.size() > 1) {
                size_t half = set.size() / 2;
                pending.emplace_back(set.begin(), set.begin() + long(half));
                pending.emplace_back(set.begin() + long(half), set.end());
                continue;
            }
            long p = set[0];
            std::string err;
            std::istringstream in(messages);
            std::string line;
            int shown = 0;
            while (std::getline(in, line) && shown < 6)
                if (line.find("error") != std::string::npos) { err += "    " + line + "\n"; ++shown; }
            local.problems.push_back("program " + std::to_string(p) + " (seed " + std::to_string(opt.seed) +
                                     "): accepted by VYK, refused by g++\n" + err + sources[p]);
        }
        local.gxxChecked += long(accepted.size());
    }
    std::lock_guard<std::mutex> guard(lock);
    res.programs += local.programs;
    res.valid += local.valid;
    res.faulty += local.faulty;
    res.accepted += local.accepted;
    res.gxxChecked += local.gxxChecked;
    res.overflowed += local.overflowed;
    for (auto& p : local.problems) res.problems.push_back(p);
    for (auto& f : local.refusedFaults) res.refusedFaults[f.first] += f.second;
    for (auto& f : local.acceptedFaults) res.acceptedFaults[f.first] += f.second;
}

int Usage()
{
    std::fprintf(stderr, "usage: progtest --bin <folder> --lib <folder> [--count N] [--seed S] [--batch N] [--jobs N]\n"
                         "                [--work <folder>] [--keep] [--cxx <compiler>] [--verbose]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    SOptions opt;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
        if (a == "--bin") opt.bin = value();
        else if (a == "--lib") opt.lib = value();
        else if (a == "--work") opt.work = value();
        else if (a == "--cxx") opt.cxx = value();
        else if (a == "--count") opt.count = std::atol(value().c_str());
        else if (a == "--seed") opt.seed = std::strtoull(value().c_str(), nullptr, 10);
        else if (a == "--batch") opt.batch = std::atoi(value().c_str());
        else if (a == "--jobs") opt.jobs = std::atoi(value().c_str());
        else if (a == "--keep") opt.keep = true;
        else if (a == "--verbose") opt.verbose = true;
        else return Usage();
    }
    if (opt.bin.empty() || opt.lib.empty() || opt.count <= 0 || opt.batch <= 0 || opt.jobs <= 0) return Usage();
    // the tools run inside the batch folders: every path absolute
    for (std::string* path : {&opt.bin, &opt.lib}) {
        char* full = realpath(path->c_str(), nullptr);
        if (!full) { std::fprintf(stderr, "progtest: no folder %s\n", path->c_str()); return 2; }
        *path = full;
        std::free(full);
    }
    bool ownWork = opt.work.empty();
    if (ownWork) {
        char pattern[] = "/tmp/vykprogtest.XXXXXX";
        const char* tmp = getenv("TMPDIR");
        std::string base = std::string(tmp && *tmp ? tmp : "/tmp") + "/vykprogtest.XXXXXX";
        std::vector<char> buf(base.begin(), base.end());
        buf.push_back(0);
        if (!mkdtemp(buf.data())) {
            if (!mkdtemp(pattern)) { std::perror("mkdtemp"); return 2; }
            opt.work = pattern;
        } else {
            opt.work = buf.data();
        }
    } else {
        mkdir(opt.work.c_str(), 0755);
    }

    SResult res;
    std::mutex lock;
    std::atomic<long> next{0};
    std::vector<std::thread> workers;
    for (int j = 0; j < opt.jobs; ++j) {
        workers.emplace_back([&]() {
            for (;;) {
                long first = next.fetch_add(opt.batch);
                if (first >= opt.count) break;
                long count = std::min<long>(opt.batch, opt.count - first);
                RunBatch(opt, first, count, res, lock);
            }
        });
    }
    for (auto& w : workers) w.join();
    if (ownWork && !opt.keep) Run({"rm", "-rf", opt.work}, "/", "/dev/null");

    for (const std::string& p : res.problems) std::printf("FAIL %s\n", p.c_str());
    std::printf("%ld programs (seed %llu): %ld valid, %ld with one fault; %ld accepted by VYK, %ld checked by g++\n",
                res.programs, (unsigned long long)opt.seed, res.valid, res.faulty, res.accepted, res.gxxChecked);
    if (res.overflowed)
        std::printf("  valid programs refused for a constant beyond LONGINT: %ld\n", res.overflowed);
    for (auto& f : res.refusedFaults)
        std::printf("  faults of kind %-9s refused: %ld, accepted: %ld\n", f.first.c_str(), f.second, res.acceptedFaults[f.first]);
    for (auto& f : res.acceptedFaults)
        if (!res.refusedFaults.count(f.first))
            std::printf("  faults of kind %-9s refused: 0, accepted: %ld\n", f.first.c_str(), f.second);
    if (ownWork && opt.keep) std::printf("programs kept in %s\n", opt.work.c_str());
    std::printf("%s\n", res.problems.empty() ? "PASS" : "FAIL");
    return res.problems.empty() ? 0 : 1;
}
