// Unit tests of the standard library's C++ side (lib/), called the way the
// generated code calls it: character arrays with their lengths, VAR
// parameters by reference, standard input and output through stdio.
#include <gtest/gtest.h>
#include <unistd.h>
#include <float.h>
#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#include <string>

#include "Args.h"
#include "Err.h"
#include "In.h"
#include "Math.h"
#include "MathL.h"
#include "Out.h"
#include "Strings.h"

// SYSTEM.cpp holds main, which the test runner brings itself.
int SYSTEM::VYK_ARGC = 0;
char** SYSTEM::VYK_ARGV = nullptr;
void SYSTEM::VYK_SYS_SYSTEM() {}

namespace {

// A character array of n characters filled with 'x' and holding text.
template <int n> struct Buf {
	char a[n];
	explicit Buf(const char* text = "") {
		memset(a, 'x', n);
		strncpy(a, text, n);
	}
	std::string str() const { return std::string(a, strnlen(a, n)); }
};

char* Lit(const char* s) { return const_cast<char*>(s); }

TEST(LibStrings, LengthStopsAtTerminatorOrArrayEnd) {
	char full[3] = {'a', 'b', 'c'};
	EXPECT_EQ(Strings::Length(full, 3), 3);
	EXPECT_EQ(Strings::Length(Lit("hello"), 6), 5);
	EXPECT_EQ(Strings::Length(Lit(""), 1), 0);
}

TEST(LibStrings, AppendCutsToDestinationAndTerminates) {
	Buf<6> d("abc");
	Strings::Append(Lit("defgh"), 6, d.a, 6);
	EXPECT_EQ(d.str(), "abcde");
	Strings::Append(Lit("zz"), 3, d.a, 6);
	EXPECT_EQ(d.str(), "abcde");
	Buf<16> s("abc");
	Strings::Append(s.a, 16, s.a, 16);
	EXPECT_EQ(s.str(), "abcabc");
	char unterminated[4] = {'a', 'b', 'c', 'd'};
	Strings::Append(Lit("e"), 2, unterminated, 4);
	EXPECT_EQ(std::string(unterminated), "abc");
}

TEST(LibStrings, InsertDeleteReplaceClampPositions) {
	Buf<16> d("Hello World");
	Strings::Insert(Lit(","), 2, 5, d.a, 16);
	EXPECT_EQ(d.str(), "Hello, World");
	Strings::Insert(Lit("!!!!!!"), 7, 100, d.a, 16);
	EXPECT_EQ(d.str(), "Hello, World!!!");
	Strings::Insert(Lit(">"), 2, -3, d.a, 16);
	EXPECT_EQ(d.str(), ">Hello, World!!");
	Strings::Delete(d.a, 16, 0, 1);
	Strings::Delete(d.a, 16, 12, 100);
	EXPECT_EQ(d.str(), "Hello, World");
	Strings::Delete(d.a, 16, 50, 2);
	Strings::Delete(d.a, 16, 3, -2);
	EXPECT_EQ(d.str(), "Hello, World");
	Strings::Replace(Lit("Earth"), 6, 7, d.a, 16);
	EXPECT_EQ(d.str(), "Hello, Earth");
	Strings::Replace(Lit("lo, Earth and more"), 19, 3, d.a, 16);
	EXPECT_EQ(d.str(), "Hello, Earth an");
	Buf<16> s("abcdef");
	Strings::Insert(s.a, 16, 3, s.a, 16);
	EXPECT_EQ(s.str(), "abcabcdefdef");
	Strings::Replace(s.a + 6, 10, 1, s.a, 16);
	EXPECT_EQ(s.str(), "adefdefefdef");
	char full[4] = {'w', 'x', 'y', 'z'};
	Strings::Delete(full, 4, 1, 0);
	EXPECT_EQ(std::string(full), "wxy");
	char full2[4] = {'w', 'x', 'y', 'z'};
	Strings::Delete(full2, 4, 1, 2);
	EXPECT_EQ(std::string(full2), "wz");
	char full3[4] = {'w', 'x', 'y', 'z'};
	Strings::Insert(Lit("AB"), 3, 4, full3, 4);
	EXPECT_EQ(std::string(full3), "wxy");
}

TEST(LibStrings, ExtractPosAndCap) {
	Buf<4> d;
	Strings::Extract(Lit("abcdefgh"), 9, 2, 5, d.a, 4);
	EXPECT_EQ(d.str(), "cde");
	Strings::Extract(Lit("abc"), 4, 5, 2, d.a, 4);
	EXPECT_EQ(d.str(), "");
	Strings::Extract(Lit("abc"), 4, -1, -1, d.a, 4);
	EXPECT_EQ(d.str(), "");
	char text[] = "banana bandana";
	int n = int(sizeof text);
	EXPECT_EQ(Strings::Pos(Lit("an"), 3, text, n, 0), 1);
	EXPECT_EQ(Strings::Pos(Lit("an"), 3, text, n, 2), 3);
	EXPECT_EQ(Strings::Pos(Lit("dan"), 4, text, n, 0), 10);
	EXPECT_EQ(Strings::Pos(Lit("ana"), 4, text, n, 12), -1);
	EXPECT_EQ(Strings::Pos(Lit("x"), 2, text, n, 100), -1);
	EXPECT_EQ(Strings::Pos(Lit(""), 1, text, n, 4), 4);
	EXPECT_EQ(Strings::Pos(Lit(""), 1, text, n, 14), 14);
	EXPECT_EQ(Strings::Pos(Lit(""), 1, text, n, 15), -1);
	EXPECT_EQ(Strings::Pos(Lit("a"), 2, text, n, 13), 13);
	EXPECT_EQ(Strings::Pos(Lit("a"), 2, text, n, 14), -1);
	char cut[3] = {'a', 'b', 'c'};
	EXPECT_EQ(Strings::Pos(Lit("c"), 2, cut, 3, -5), 2);
	// Nothing after a 0X is searched, with or without a 0X at the end of either array.
	char stale[8] = {'a', 'b', 0, 'c', 'd', 0, 'c', 'd'};
	EXPECT_EQ(Strings::Pos(Lit("cd"), 3, stale, 6, 0), -1);
	EXPECT_EQ(Strings::Pos(Lit("cd"), 3, stale, 8, 0), -1);
	char pattern[2] = {'n', 'd'};
	EXPECT_EQ(Strings::Pos(pattern, 2, text, n, 0), 9);
	EXPECT_EQ(Strings::Pos(pattern, 1, text, n, 0), 2);
	char padded[8] = "abc";
	EXPECT_EQ(Strings::Length(padded, 8), 3);
	EXPECT_EQ(Strings::Pos(Lit("c"), 2, padded, 8, 0), 2);
	Buf<8> c("aBz-q9");
	Strings::Cap(c.a, 8);
	EXPECT_EQ(c.str(), "ABZ-Q9");
}

std::string Output(void (*write)()) {
	testing::internal::CaptureStdout();
	write();
	fflush(stdout);
	return testing::internal::GetCapturedStdout();
}

TEST(LibOut, FormatsNumbersAndStrings) {
	EXPECT_EQ(Output([] { Out::Int(-42, 6); Out::Int(7, 0); Out::Int(123, -4); }), "   -427123");
	EXPECT_EQ(Output([] { Out::Int(2147483648L * 4, 0); }), "8589934592");
	EXPECT_EQ(Output([] { Out::Real(1.5, 12); Out::Char('|'); Out::Real(-0.25, 0); }), " 1.50000E+00|-2.5E-01");
	EXPECT_EQ(Output([] { Out::LongReal(3.0L, 10); }), " 3.000E+00");
	EXPECT_EQ(Output([] { char s[4] = {'a', 'b', 'c', 'd'}; Out::String(s, 4); Out::String(Lit("x\0y"), 4); Out::Ln(); }), "abcdx\n");
	EXPECT_EQ(Output([] { Out::Int(1, 100000000); }).size(), 1024u);
}

TEST(LibOut, HexBoolSetAndFixedPoint) {
	EXPECT_EQ(Output([] { Out::Hex(255, 4); Out::Hex(0, 0); Out::Hex(-1, 0); }), "  FF0FFFFFFFFFFFFFFFF");
	EXPECT_EQ(Output([] { Out::Bool(true); Out::Bool(false); }), "TRUEFALSE");
	EXPECT_EQ(Output([] { Out::Set(0); Out::Set(int(0x80000009u)); }), "{}{0, 3, 31}");
	EXPECT_EQ(Output([] { Out::Fixed(3.14159, 8, 2); Out::Char('|'); Out::Fixed(2.5, 0, -3); Out::Char('|'); Out::Fixed(-0.125, 0, 3); }),
		"    3.14|2|-0.125");
	EXPECT_EQ(Output([] { Out::LongFixed(1.0L / 3, 0, 20); }), "0.33333333333333333334");
	EXPECT_EQ(Output([] { Out::Fixed(HUGE_VAL, 5, 2); Out::Fixed(-HUGE_VAL, 0, 2); Out::Fixed(NAN, 0, 1); }), "  INF-INFNAN");
	EXPECT_EQ(Output([] { Out::Fixed(1.0, 0, 1000000); }).size(), 66u);
	EXPECT_EQ(Output([] { Out::Fixed(DBL_MAX, 0, 0); }).size(), 309u);
}

TEST(LibErr, WritesWhatOutWritesOnStandardError) {
	testing::internal::CaptureStderr();
	Err::String(Lit("n="), 3); Err::Int(-5, 3); Err::Hex(171, 0); Err::Bool(true); Err::Set(6);
	Err::Real(1.5, 12); Err::Fixed(2.25, 6, 1); Err::Ln(); Err::Flush();
	EXPECT_EQ(testing::internal::GetCapturedStderr(), "n= -5ABTRUE{1, 2} 1.50000E+00   2.2\n");
}

struct LibIn : testing::Test {
	void Feed(const char* text) {
		FILE* w = fopen(path.c_str(), "w");
		fputs(text, w);
		fclose(w);
		ASSERT_NE(freopen(path.c_str(), "r", stdin), nullptr);
		In::Open();
	}
	void TearDown() override { remove(path.c_str()); }
	std::string path = testing::TempDir() + "vyk_in_test." + std::to_string(getpid()) + ".txt";
};

TEST_F(LibIn, ReadsNumbersUntilTheEnd) {
	Feed("  12 -7 0FFH +3\n-2147483648 x");
	int i = 0;
	int got[5];
	for (int& g : got) { In::Int(i); ASSERT_TRUE(In::Done); g = i; }
	EXPECT_EQ(got[0], 12); EXPECT_EQ(got[1], -7); EXPECT_EQ(got[2], 255); EXPECT_EQ(got[3], 3);
	EXPECT_EQ(got[4], -2147483647 - 1);
	In::Int(i);
	EXPECT_FALSE(In::Done);
	EXPECT_EQ(i, -2147483647 - 1);
	In::Int(i);
	EXPECT_FALSE(In::Done);
}

TEST_F(LibIn, RefusesOutOfRangeAndMalformedNumbers) {
	Feed("2147483648");
	int i = 5;
	In::Int(i);
	EXPECT_FALSE(In::Done);
	EXPECT_EQ(i, 5);
	Feed("9223372036854775807 9223372036854775808");
	long l = 0;
	In::LongInt(l);
	EXPECT_TRUE(In::Done);
	EXPECT_EQ(l, 9223372036854775807L);
	In::LongInt(l);
	EXPECT_FALSE(In::Done);
	Feed("12AB");
	In::Int(i);
	EXPECT_FALSE(In::Done);
	Feed(std::string(1000, '1').c_str());
	In::Int(i);
	EXPECT_FALSE(In::Done);
}

TEST_F(LibIn, ReadsReals) {
	Feed("1.5 -2.5E2 3.0D-1 7 1.E");
	double x = 0;
	long double lx = 0;
	In::Real(x); EXPECT_TRUE(In::Done); EXPECT_DOUBLE_EQ(x, 1.5);
	In::Real(x); EXPECT_DOUBLE_EQ(x, -250.0);
	In::LongReal(lx); EXPECT_TRUE(In::Done); EXPECT_NEAR(double(lx), 0.3, 1e-15);
	In::Real(x); EXPECT_DOUBLE_EQ(x, 7.0);
	In::Real(x); EXPECT_FALSE(In::Done);
	Feed("1E999");
	In::Real(x); EXPECT_FALSE(In::Done);
}

TEST_F(LibIn, ReadsCharsStringsAndNames) {
	Feed(" \"two words\" name-1 \t toolongname\n\"open");
	char ch = 0;
	In::Char(ch);
	EXPECT_EQ(ch, ' ');
	Buf<16> s;
	In::String(s.a, 16);
	EXPECT_TRUE(In::Done);
	EXPECT_EQ(s.str(), "two words");
	In::Name(s.a, 16);
	EXPECT_EQ(s.str(), "name-1");
	Buf<5> small;
	In::Name(small.a, 5);
	EXPECT_FALSE(In::Done);
	EXPECT_EQ(small.str(), "tool");
	In::Open();
	In::String(s.a, 16);
	EXPECT_FALSE(In::Done);
	EXPECT_EQ(s.str(), "");
	In::Open();
	In::Char(ch);
	EXPECT_FALSE(In::Done);
}

TEST_F(LibIn, ReadsLinesAndSeesTheEnd) {
	Feed("first line\r\nsecond\n\nlast");
	Buf<16> s;
	const char* want[] = {"first line", "second", "", "last"};
	for (const char* w : want) {
		EXPECT_FALSE(In::Eof());
		In::Line(s.a, 16);
		ASSERT_TRUE(In::Done);
		EXPECT_EQ(s.str(), w);
	}
	EXPECT_TRUE(In::Eof());
	EXPECT_TRUE(In::Done);
	In::Line(s.a, 16);
	EXPECT_FALSE(In::Done);
	EXPECT_EQ(s.str(), "");
	Feed("abcd\r\nabcde\nxy");
	Buf<5> small;
	In::Line(small.a, 5);
	EXPECT_TRUE(In::Done);
	EXPECT_EQ(small.str(), "abcd");
	In::Line(small.a, 5);
	EXPECT_FALSE(In::Done);
	EXPECT_EQ(small.str(), "abcd");
	In::Open();
	In::Line(small.a, 5);
	EXPECT_EQ(small.str(), "xy");
}

TEST_F(LibIn, EveryNumberReadRefusesMalformedText) {
	const char* bad[] = {"", "abc", "-", "+ 1", "--1", ".5", "H", "x12"};
	for (const char* text : bad) {
		SCOPED_TRACE(text);
		int i = 7; long l = 7; double x = 7; long double lx = 7;
		Feed(text); In::Int(i); EXPECT_FALSE(In::Done); EXPECT_EQ(i, 7);
		Feed(text); In::LongInt(l); EXPECT_FALSE(In::Done); EXPECT_EQ(l, 7);
		Feed(text); In::Real(x); EXPECT_FALSE(In::Done); EXPECT_EQ(x, 7);
		Feed(text); In::LongReal(lx); EXPECT_FALSE(In::Done); EXPECT_EQ(lx, 7);
	}
	Feed("1.5E+ 2");
	double x = 7;
	In::Real(x);
	EXPECT_FALSE(In::Done);
	EXPECT_EQ(x, 7);
	Feed("1E-400 1E5000");
	long double lx = 7;
	In::Real(x); EXPECT_TRUE(In::Done); EXPECT_EQ(x, 0);
	In::LongReal(lx); EXPECT_FALSE(In::Done);
	Buf<8> s;
	Feed("   ");
	In::Name(s.a, 8); EXPECT_FALSE(In::Done);
	Feed("noquote");
	In::String(s.a, 8); EXPECT_FALSE(In::Done);
}

TEST(LibArgs, CountsAndCutsArguments) {
	char* argv[] = {Lit("prog"), Lit("first"), Lit(""), Lit("third")};
	SYSTEM::VYK_ARGC = 4;
	SYSTEM::VYK_ARGV = argv;
	EXPECT_EQ(Args::Count(), 3);
	Buf<4> s("zzz");
	Args::Get(1, s.a, 4);
	EXPECT_EQ(s.str(), "fir");
	Args::Get(2, s.a, 4);
	EXPECT_EQ(s.str(), "");
	Args::Get(0, s.a, 4);
	EXPECT_EQ(s.str(), "pro");
	Args::Get(-1, s.a, 4);
	EXPECT_EQ(s.str(), "");
	Args::Get(4, s.a, 4);
	EXPECT_EQ(s.str(), "");
	SYSTEM::VYK_ARGC = 0;
	SYSTEM::VYK_ARGV = nullptr;
	EXPECT_EQ(Args::Count(), 0);
}

TEST(LibStrings, IntegerConversionsAtTheirBoundaries) {
	Buf<24> s;
	Strings::IntToStr(LONG_MIN, s.a, 24);
	EXPECT_EQ(s.str(), "-9223372036854775808");
	Strings::IntToStr(0, s.a, 24);
	EXPECT_EQ(s.str(), "0");
	Buf<4> small("zz");
	Strings::IntToStr(-12, small.a, 4);
	EXPECT_EQ(small.str(), "-12");
	Strings::IntToStr(1234, small.a, 4);
	EXPECT_EQ(small.str(), "");
	struct { const char* text; bool done; int value; } ints[] = {
		{"2147483647", true, INT_MAX}, {"-2147483648", true, INT_MIN}, {" +42\t", true, 42},
		{"0FFH", true, 255}, {"7FFFFFFFH", true, INT_MAX}, {"2147483648", false, 0},
		{"-2147483649", false, 0}, {"80000000H", false, 0}, {"", false, 0}, {" ", false, 0},
		{"+", false, 0}, {"12a", false, 0}, {"1 2", false, 0}, {"0x10", false, 0},
		{"FFH", false, 0}, {"1.5", false, 0}, {"12AB", false, 0}, {"0FFh", false, 0}};
	for (auto& c : ints) {
		SCOPED_TRACE(c.text);
		int i = -7;
		bool done = !c.done;
		Strings::StrToInt(Lit(c.text), int(strlen(c.text)) + 1, i, done);
		EXPECT_EQ(done, c.done);
		EXPECT_EQ(i, c.done ? c.value : -7);
	}
	long l = 0;
	bool done = false;
	Strings::StrToLongInt(Lit("-9223372036854775808"), 21, l, done);
	EXPECT_TRUE(done); EXPECT_EQ(l, LONG_MIN);
	Strings::StrToLongInt(Lit("9223372036854775808"), 20, l, done);
	EXPECT_FALSE(done); EXPECT_EQ(l, LONG_MIN);
	char unterminated[3] = {'1', '2', '3'};
	Strings::StrToLongInt(unterminated, 3, l, done);
	EXPECT_TRUE(done); EXPECT_EQ(l, 123);
}

TEST(LibStrings, RealsGoToTextAndBackUnchanged) {
	const double values[] = {0.1, 1.0 / 3, -2.5, 100, 1.5e20, 1e-300, DBL_MAX, DBL_MIN, 5e-324, -0.0, M_PI, HUGE_VAL, -HUGE_VAL};
	for (double v : values) {
		Buf<32> s;
		Strings::RealToStr(v, s.a, 32);
		double back = 0;
		bool done = false;
		Strings::StrToReal(s.a, 32, back, done);
		EXPECT_TRUE(done) << s.str();
		EXPECT_EQ(memcmp(&back, &v, sizeof v), 0) << s.str();
	}
	const long double longValues[] = {0.1L, 1.0L / 3, LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, -1e4000L};
	for (long double v : longValues) {
		Buf<40> s;
		Strings::LongRealToStr(v, s.a, 40);
		long double back = 0;
		bool done = false;
		Strings::StrToLongReal(s.a, 40, back, done);
		EXPECT_TRUE(done) << s.str();
		EXPECT_EQ(back, v) << s.str();
	}
	Buf<32> s;
	Strings::RealToStr(0.1, s.a, 32); EXPECT_EQ(s.str(), "0.1");
	Strings::RealToStr(1.5e20, s.a, 32); EXPECT_EQ(s.str(), "1.5E+20");
	Strings::RealToStr(NAN, s.a, 32); EXPECT_EQ(s.str(), "NAN");
	double x = 0;
	bool done = false;
	Strings::StrToReal(s.a, 32, x, done); EXPECT_TRUE(done); EXPECT_TRUE(isnan(x));
	Strings::RealToStr(-NAN, s.a, 32); EXPECT_EQ(s.str(), "-NAN");
	Strings::StrToReal(s.a, 32, x, done); EXPECT_TRUE(done); EXPECT_TRUE(isnan(x) && signbit(x));
	Buf<4> small("zz");
	Strings::RealToStr(1.0 / 3, small.a, 4); EXPECT_EQ(small.str(), "");
	Strings::FixedToStr(3.14159L, 2, s.a, 32); EXPECT_EQ(s.str(), "3.14");
	Strings::FixedToStr(2.5L, -1, s.a, 32); EXPECT_EQ(s.str(), "2");
	Strings::FixedToStr(LDBL_MAX, 2, s.a, 32); EXPECT_EQ(s.str(), "");
}

TEST(LibStrings, RealConversionRefusesMalformedText) {
	struct { const char* text; bool done; double value; } reals[] = {
		{"1.5", true, 1.5}, {" -2E3 ", true, -2000}, {"7.25D-1", true, 0.725}, {"1.", true, 1},
		{"3e2", true, 300}, {"1E-400", true, 0}, {"1E5000", false, 0}, {".5", false, 0}, {"1e", false, 0},
		{"1.5.2", false, 0}, {"0x1p3", false, 0}, {"inf", false, 0}, {"nan", false, 0}, {"1,5", false, 0},
		{"", false, 0}, {"-", false, 0}, {"1E+", false, 0}, {"- 1", false, 0}};
	for (auto& c : reals) {
		SCOPED_TRACE(c.text);
		double x = -7;
		long double lx = -7;
		bool done = !c.done;
		Strings::StrToReal(Lit(c.text), int(strlen(c.text)) + 1, x, done);
		EXPECT_EQ(done, c.done);
		EXPECT_EQ(x, c.done ? c.value : -7);
		done = !c.done;
		Strings::StrToLongReal(Lit(c.text), int(strlen(c.text)) + 1, lx, done);
		EXPECT_EQ(done, c.done);
	}
	double x = 0;
	bool done = true;
	Strings::StrToReal(Lit("1E400"), 6, x, done);
	EXPECT_FALSE(done);
	long double lx = 0;
	Strings::StrToLongReal(Lit("1E4000"), 7, lx, done);
	EXPECT_TRUE(done);
}

TEST(LibStrings, CompareAndCase) {
	EXPECT_EQ(Strings::Compare(Lit("abc"), 4, Lit("abd"), 4), -1);
	EXPECT_EQ(Strings::Compare(Lit("ab"), 3, Lit("abc"), 4), -1);
	EXPECT_EQ(Strings::Compare(Lit("b"), 2, Lit("abc"), 4), 1);
	char unterminated[3] = {'a', 'b', 'c'};
	EXPECT_EQ(Strings::Compare(unterminated, 3, Lit("abc"), 4), 0);
	EXPECT_EQ(Strings::Compare(Lit("\xE9"), 2, Lit("z"), 2), 1);
	EXPECT_EQ(Strings::Compare(Lit(""), 1, Lit(""), 1), 0);
	Buf<12> s("Mixed-Case\xE9");
	Strings::Upper(s.a, 12);
	EXPECT_EQ(s.str(), "MIXED-CASE\xE9");
	Strings::Lower(s.a, 12);
	EXPECT_EQ(s.str(), "mixed-case\xE9");
}

TEST(LibMath, ConstantsAndFunctions) {
	EXPECT_DOUBLE_EQ(Math::pi, 3.14159265358979323846);
	EXPECT_DOUBLE_EQ(Math::ln(Math::e), 1.0);
	EXPECT_DOUBLE_EQ(Math::power(2.0, 10.0), 1024.0);
	EXPECT_DOUBLE_EQ(Math::arctan(1.0) * 4, Math::pi);
	EXPECT_NEAR(double(MathL::sqrt_(2.0L) * MathL::sqrt_(2.0L)), 2.0, 1e-18);
	EXPECT_NEAR(double(MathL::sin_(MathL::pi / 2)), 1.0, 1e-18);
}

TEST(LibMath, TheWholeList) {
	EXPECT_DOUBLE_EQ(Math::tan_(Math::pi / 4), 1.0);
	EXPECT_DOUBLE_EQ(Math::arcsin(1.0), Math::pi / 2);
	EXPECT_DOUBLE_EQ(Math::arccos(-1.0), Math::pi);
	// The numerator first: the point (-1, 1) lies at 3/4 pi.
	EXPECT_DOUBLE_EQ(Math::arctan2(1.0, -1.0), 3 * Math::pi / 4);
	EXPECT_DOUBLE_EQ(Math::arctan2(-1.0, 0.0), -Math::pi / 2);
	EXPECT_DOUBLE_EQ(Math::log_(1000.0), 3.0);
	EXPECT_DOUBLE_EQ(Math::exp_(Math::ln(5.0)), 5.0);
	EXPECT_EQ(Math::round_(2.5), 3.0);
	EXPECT_EQ(Math::round_(-2.5), -3.0);
	EXPECT_EQ(Math::round_(0.49999999999999994), 0.0);
	EXPECT_DOUBLE_EQ(Math::cosh_(1.0) * Math::cosh_(1.0) - Math::sinh_(1.0) * Math::sinh_(1.0), 1.0);
	EXPECT_DOUBLE_EQ(Math::arcsinh(Math::sinh_(1.5)), 1.5);
	EXPECT_DOUBLE_EQ(Math::arccosh(Math::cosh_(2.0)), 2.0);
	EXPECT_DOUBLE_EQ(Math::arctanh(Math::tanh_(0.5)), 0.5);
	EXPECT_TRUE(isnan(Math::sqrt_(-1.0)));
	EXPECT_NEAR(double(MathL::arctan2(1.0L, -1.0L) - 3 * MathL::pi / 4), 0.0, 1e-18);
	EXPECT_NEAR(double(MathL::log_(1e10L)), 10.0, 1e-18);
	EXPECT_EQ(MathL::round_(-0.5L), -1.0L);
	EXPECT_NEAR(double(MathL::arccosh(MathL::cosh_(3.0L))), 3.0, 1e-15);
	EXPECT_NEAR(double(MathL::tan_(MathL::arctan(0.75L))), 0.75, 1e-18);
}

}
