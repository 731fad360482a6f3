// Unit tests of the library's Files module: every type written and read
// back, the byte layout that other programs rely on, registration under the
// side name, and the failures that must come back through res, not as crashes.
#include <gtest/gtest.h>
#include <errno.h>
#include <float.h>
#include <limits.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Files.h"

namespace {

char* Lit(const char* s) { return const_cast<char*>(s); }

struct LibFiles : testing::Test {
	void SetUp() override {
		std::string pattern = testing::TempDir() + "vyk_files.XXXXXX";
		ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
		dir = pattern + "/";
	}
	void TearDown() override {
		chmod(dir.c_str(), 0700);
		std::filesystem::remove_all(dir);
	}
	std::string Path(const char* name) const { return dir + name; }
	Files::File* New(const char* name) {
		std::string p = Path(name);
		return Files::New(&p[0], int(p.size()) + 1);
	}
	Files::File* Old(const char* name) {
		std::string p = Path(name);
		return Files::Old(&p[0], int(p.size()) + 1);
	}
	std::string Bytes(const char* name) const {
		std::ifstream in(Path(name), std::ios::binary);
		std::ostringstream text;
		text << in.rdbuf();
		return text.str();
	}
	size_t Entries() const {
		size_t n = 0;
		for (auto& e : std::filesystem::directory_iterator(dir)) { (void)e; ++n; }
		return n;
	}
	// Runs check as an ordinary user: root passes every permission check, so
	// under root it runs in a child process that gives up its privileges.
	void Unprivileged(void (LibFiles::*check)()) {
		if (geteuid() != 0) {
			(this->*check)();
			return;
		}
		const uid_t nobody = 65534;
		pid_t child = fork();
		ASSERT_GE(child, 0);
		if (child == 0) {
			bool dropped = chown(dir.c_str(), nobody, nobody) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0;
			if (dropped) (this->*check)();
			_exit(!dropped ? 2 : (HasFailure() ? 1 : 0));
		}
		int status = 0;
		waitpid(child, &status, 0);
		if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot give up root's privileges";
		EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged check failed (its output is above)";
	}
	void CheckPermissions();
	std::string dir;
};

const long kNums[] = {0, 1, -1, 63, 64, -64, -65, 8191, 8192, INT_MIN, LONG_MAX, LONG_MIN};

TEST_F(LibFiles, EveryTypeReadsBackAsWritten) {
	Files::File* f = New("all.dat");
	ASSERT_NE(f, nullptr);
	EXPECT_EQ(Files::res, 0);
	Files::Rider w;
	Files::Set(&w, f, 0);
	Files::Write(&w, '\xFF');
	Files::WriteBool(&w, true);
	Files::WriteBool(&w, false);
	Files::WriteSInt(&w, SHRT_MIN);
	Files::WriteSInt(&w, SHRT_MAX);
	Files::WriteInt(&w, INT_MIN);
	Files::WriteInt(&w, INT_MAX);
	Files::WriteLInt(&w, LONG_MIN);
	Files::WriteLInt(&w, LONG_MAX);
	const double reals[] = {0.1, -0.0, DBL_MAX, 5e-324, HUGE_VAL};
	for (double x : reals) Files::WriteReal(&w, x);
	const long double longReals[] = {1.0L / 3, LDBL_MAX, LDBL_MIN, LDBL_TRUE_MIN, -0.0L, -HUGE_VALL};
	for (long double x : longReals) Files::WriteLReal(&w, x);
	Files::WriteLReal(&w, NAN);
	Files::WriteSet(&w, int(0x80000001u));
	char unterminated[3] = {'a', 'b', 'c'};
	Files::WriteString(&w, unterminated, 3);
	Files::WriteString(&w, Lit(""), 1);
	for (long n : kNums) Files::WriteNum(&w, n);
	char bytes[4] = {'\0', '\1', '\2', '\3'};
	Files::WriteBytes(&w, bytes, 4, 4);
	EXPECT_EQ(w.res, 0);
	long written = Files::Pos(&w);
	EXPECT_EQ(Files::Length(f), written);

	EXPECT_FALSE(std::filesystem::exists(Path("all.dat")));
	EXPECT_EQ(Entries(), 1u);
	Files::Register(f);
	EXPECT_EQ(Files::res, 0);
	EXPECT_EQ(Entries(), 1u);
	EXPECT_EQ(long(Bytes("all.dat").size()), written);

	Files::File* g = Old("all.dat");
	ASSERT_NE(g, nullptr);
	EXPECT_EQ(Files::Length(g), written);
	Files::Rider r;
	Files::Set(&r, g, 0);
	char ch = 0; bool b = false; short si = 0; int i = 0; long l = 0; double x = 0; long double lx = 0;
	Files::Read(&r, ch); EXPECT_EQ(ch, '\xFF');
	Files::ReadBool(&r, b); EXPECT_TRUE(b);
	Files::ReadBool(&r, b); EXPECT_FALSE(b);
	Files::ReadSInt(&r, si); EXPECT_EQ(si, SHRT_MIN);
	Files::ReadSInt(&r, si); EXPECT_EQ(si, SHRT_MAX);
	Files::ReadInt(&r, i); EXPECT_EQ(i, INT_MIN);
	Files::ReadInt(&r, i); EXPECT_EQ(i, INT_MAX);
	Files::ReadLInt(&r, l); EXPECT_EQ(l, LONG_MIN);
	Files::ReadLInt(&r, l); EXPECT_EQ(l, LONG_MAX);
	for (double want : reals) {
		Files::ReadReal(&r, x);
		EXPECT_EQ(memcmp(&x, &want, sizeof x), 0) << want;
	}
	for (long double want : longReals) {
		Files::ReadLReal(&r, lx);
		EXPECT_EQ(lx, want);
		EXPECT_EQ(signbit(lx), signbit(want));
	}
	Files::ReadLReal(&r, lx); EXPECT_TRUE(isnan(lx));
	Files::ReadSet(&r, i); EXPECT_EQ(unsigned(i), 0x80000001u);
	char s[8] = "zzzzzzz";
	Files::ReadString(&r, s, 8); EXPECT_STREQ(s, "abc");
	Files::ReadString(&r, s, 8); EXPECT_STREQ(s, "");
	for (long n : kNums) {
		Files::ReadNum(&r, l);
		EXPECT_EQ(l, n);
	}
	char back[4] = {};
	Files::ReadBytes(&r, back, 4, 4);
	EXPECT_EQ(memcmp(back, bytes, 4), 0);
	EXPECT_FALSE(r.eof);
	EXPECT_EQ(r.res, 0);
	EXPECT_EQ(Files::Pos(&r), written);
	Files::ReadInt(&r, i);
	EXPECT_TRUE(r.eof);
	EXPECT_EQ(r.res, 4);
	EXPECT_EQ(i, 0);
}

TEST_F(LibFiles, ByteLayoutIsFixed) {
	Files::File* f = New("layout.dat");
	ASSERT_NE(f, nullptr);
	Files::Rider w;
	Files::Set(&w, f, 0);
	Files::WriteInt(&w, 0x01020304);
	Files::WriteSInt(&w, -2);
	Files::WriteNum(&w, -65);
	Files::WriteNum(&w, 300);
	Files::WriteLReal(&w, 1.0L);
	Files::WriteReal(&w, 1.0);
	Files::Register(f);
	const char want[] =
		"\x04\x03\x02\x01" "\xFE\xFF" "\xBF\x7F" "\xAC\x02"
		"\0\0\0\0\0\0\0\x80\xFF\x3F" "\0\0\0\0\0\0\xF0\x3F";
	EXPECT_EQ(Bytes("layout.dat"), std::string(want, sizeof want - 1));
}

TEST_F(LibFiles, FailuresComeBackThroughRes) {
	int res = 0;
	EXPECT_EQ(Old("missing"), nullptr);
	EXPECT_EQ(Files::res, ENOENT);
	EXPECT_EQ(Files::Old(Lit(""), 1), nullptr);
	EXPECT_EQ(Files::res, ENOENT);
	EXPECT_EQ(New("no/such/folder/x"), nullptr);
	EXPECT_EQ(Files::res, ENOENT);
	std::filesystem::create_directory(Path("sub"));
	EXPECT_EQ(Old("sub"), nullptr);
	EXPECT_EQ(Files::res, EISDIR);
	Files::Delete(Lit((dir + "missing").c_str()), int(dir.size()) + 8, res);
	EXPECT_EQ(res, ENOENT);
	Files::Rename(Lit((dir + "missing").c_str()), int(dir.size()) + 8, Lit((dir + "other").c_str()), int(dir.size()) + 6, res);
	EXPECT_EQ(res, ENOENT);
	Files::File* onto = New("sub");
	ASSERT_NE(onto, nullptr);
	Files::Register(onto);
	EXPECT_EQ(Files::res, EISDIR);

	Files::Register(nullptr);
	EXPECT_EQ(Files::res, EBADF);
	Files::Close(nullptr);
	Files::Purge(nullptr);
	EXPECT_EQ(Files::res, EBADF);
	long t = 1, d = 1;
	Files::GetDate(nullptr, t, d);
	EXPECT_EQ(t + d, 0);
	EXPECT_EQ(Files::Length(nullptr), 0);
	// Riders on no file: NIL, a record the program made itself, one never Set.
	Files::Handle own;
	Files::Rider riders[3];
	Files::Set(&riders[0], nullptr, 5);
	Files::Set(&riders[1], &own, 0);
	memset(static_cast<void*>(&riders[2].eof), 0x5A, sizeof riders[2] - sizeof(void*));
	for (Files::Rider& r : riders) {
		char ch = 'x';
		long n = 9;
		Files::Read(&r, ch);
		EXPECT_TRUE(r.eof);
		EXPECT_EQ(ch, 0);
		Files::ReadNum(&r, n);
		EXPECT_EQ(n, 0);
		Files::WriteString(&r, Lit("abc"), 4);
		EXPECT_EQ(r.res, 4);
		EXPECT_EQ(Files::Base(&r), nullptr);
	}
}

TEST_F(LibFiles, PermissionsAreRespected) {
	Unprivileged(&LibFiles::CheckPermissions);
}

void LibFiles::CheckPermissions() {
	Files::File* f = New("ro.txt");
	Files::Rider w;
	Files::Set(&w, f, 0);
	Files::WriteString(&w, Lit("keep"), 5);
	Files::Register(f);
	Files::Close(f);
	chmod(Path("ro.txt").c_str(), 0444);
	Files::File* g = Old("ro.txt");
	ASSERT_NE(g, nullptr);
	Files::Set(&w, g, 0);
	Files::Write(&w, 'X');
	EXPECT_EQ(w.res, 1);
	Files::Purge(g);
	EXPECT_EQ(Files::res, EACCES);
	EXPECT_EQ(Bytes("ro.txt"), std::string("keep", 5));
	chmod(Path("ro.txt").c_str(), 0);
	EXPECT_EQ(Old("ro.txt"), nullptr);
	EXPECT_EQ(Files::res, EACCES);
	chmod(dir.c_str(), 0500);
	EXPECT_EQ(New("x"), nullptr);
	EXPECT_EQ(Files::res, EACCES);
}

TEST_F(LibFiles, RidersCloseReopenPurgeAndNames) {
	Files::File* f = New("a.txt");
	Files::Rider w, r;
	Files::Set(&w, f, 0);
	for (char c : std::string("hello")) Files::Write(&w, c);
	Files::Set(&r, f, 100);
	EXPECT_EQ(Files::Pos(&r), 5);
	Files::Set(&r, f, -3);
	EXPECT_EQ(Files::Pos(&r), 0);
	char ch = 0;
	Files::Read(&r, ch);
	EXPECT_EQ(ch, 'h');
	Files::Write(&w, '!');
	Files::Read(&r, ch);
	EXPECT_EQ(ch, 'e');
	EXPECT_EQ(Files::Base(&r), f);
	Files::Register(f);
	Files::Close(f);
	EXPECT_EQ(Files::res, 0);
	Files::Read(&r, ch);
	EXPECT_EQ(ch, 'l');
	Files::Set(&w, f, 2);
	Files::Write(&w, 'L');
	Files::Close(f);
	EXPECT_EQ(Bytes("a.txt"), "heLlo!");
	long t = 0, d = 0;
	Files::GetDate(f, t, d);
	time_t now = time(nullptr);
	struct tm local;
	localtime_r(&now, &local);
	EXPECT_EQ(d / 512, local.tm_year);
	EXPECT_LT(t, 24 * 4096);
	Files::Purge(f);
	EXPECT_EQ(Files::Length(f), 0);
	EXPECT_EQ(Bytes("a.txt"), "");

	int res = 1;
	std::string from = Path("a.txt"), to = Path("b.txt");
	Files::Rename(&from[0], int(from.size()) + 1, &to[0], int(to.size()) + 1, res);
	EXPECT_EQ(res, 0);
	EXPECT_TRUE(std::filesystem::exists(to));
	Files::Delete(&to[0], int(to.size()) + 1, res);
	EXPECT_EQ(res, 0);
	EXPECT_EQ(Entries(), 0u);
}

TEST_F(LibFiles, MalformedContentsAreReadSafely) {
	Files::File* f = New("bad.dat");
	Files::Rider w;
	Files::Set(&w, f, 0);
	Files::WriteString(&w, Lit("longer text"), 12);
	Files::WriteInt(&w, 7);
	Files::Write(&w, '\x80');
	Files::Register(f);
	Files::Rider r;
	Files::Set(&r, f, 0);
	char small[5];
	Files::ReadString(&r, small, 5);
	EXPECT_STREQ(small, "long");
	EXPECT_EQ(r.res, 7);
	int i = 0;
	Files::ReadInt(&r, i);
	EXPECT_EQ(i, 7);
	long n = 5;
	Files::ReadNum(&r, n);
	EXPECT_TRUE(r.eof);
	EXPECT_EQ(n, 0);
	Files::Set(&r, f, 0);
	char two[2];
	Files::ReadBytes(&r, two, 2, 1000);
	EXPECT_EQ(r.res, 998);
	EXPECT_EQ(Files::Pos(&r), 2);
	Files::WriteBytes(&w, two, 2, -1);
	EXPECT_EQ(w.res, 0);
	Files::ReadString(&r, small, 0);
	EXPECT_EQ(Files::Pos(&r), 12);
}

TEST_F(LibFiles, UnregisteredFilesVanishAtTheEnd) {
	pid_t child = fork();
	ASSERT_GE(child, 0);
	if (child == 0) {
		Files::File* f = New("never.dat");
		Files::Rider w;
		Files::Set(&w, f, 0);
		Files::WriteInt(&w, 1);
		Files::Close(f);
		exit(Entries() == 1 ? 0 : 1);
	}
	int status = 0;
	waitpid(child, &status, 0);
	EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
	EXPECT_EQ(Entries(), 0u);
}

}
