// Unit tests of the standard library's C++ side (lib/), called the way the
// generated code calls it: character arrays with their lengths, VAR
// parameters by reference, standard input and output through stdio.
#include <gtest/gtest.h>
#include <unistd.h>
#include <stdio.h>
#include <string.h>
#include <string>

#include "Args.h"
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
	char cut[3] = {'a', 'b', 'c'};
	EXPECT_EQ(Strings::Pos(Lit("c"), 2, cut, 3, -5), 2);
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
	EXPECT_EQ(s.str(), "");
	Args::Get(4, s.a, 4);
	EXPECT_EQ(s.str(), "");
	SYSTEM::VYK_ARGC = 0;
	SYSTEM::VYK_ARGV = nullptr;
	EXPECT_EQ(Args::Count(), 0);
}

TEST(LibMath, ConstantsAndFunctions) {
	EXPECT_DOUBLE_EQ(Math::pi, 3.14159265358979323846);
	EXPECT_DOUBLE_EQ(Math::ln(Math::e), 1.0);
	EXPECT_DOUBLE_EQ(Math::power(2.0, 10.0), 1024.0);
	EXPECT_DOUBLE_EQ(Math::arctan(1.0) * 4, Math::pi);
	EXPECT_NEAR(double(MathL::sqrt_(2.0L) * MathL::sqrt_(2.0L)), 2.0, 1e-18);
	EXPECT_NEAR(double(MathL::sin_(MathL::pi / 2)), 1.0, 1e-18);
}

}
