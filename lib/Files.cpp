// Files: every file the program opens is a CFileState in one table; a File
// is the address of the Handle inside its state, and a rider names its file
// by its number in the table (from 1; 0 is no file). The library looks files
// and riders up rather than trusting them, so a NIL file, a record the
// program made with NEW or a rider that was never Set reach no memory they
// should not: they are simply no file. States live until the program ends
// (a File may be kept anywhere), when the table closes what is still open
// and deletes the side files of new files that were never registered.
// Reading and writing go through the C library's buffered stdio; the state
// remembers where the stream stands, so a rider reading on sequentially
// costs one getc a byte.
#include <errno.h>
#include <fcntl.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include "Files.h"

int Files::res = 0;

namespace {

const int kNoFile = EBADF;
const int kSideAttempts = 100;
const int kNumBits = 7;
const unsigned kNumMore = 0x80;
const unsigned kNumSign = 0x40;
const unsigned kNumLow = 0x3F;
const int kNumMaxBytes = 10;
const int kLongBits = 64;
const int kByteBits = 8;
const int kExtendedBytes = 10;
const int kExtendedBias = 16383;
const int kExtendedMantissaBits = 64;
const unsigned kExtendedMaxExponent = 0x7FFF;
const unsigned kExtendedSign = 0x8000;
const int kExtendedTop = 8;
const uint64_t kExtendedTopBit = uint64_t(1) << 63;
const uint64_t kExtendedQuiet = uint64_t(3) << 62;
const long kDateYear = 512;
const long kDateMonth = 32;
const long kTimeHour = 4096;
const long kTimeMinute = 64;

struct CCloseFile {
	void operator()(FILE* f) const { fclose(f); }
};
using CFilePtr = std::unique_ptr<FILE, CCloseFile>;

enum class EOp { kNone, kRead, kWrite };

// One file of the program: its Handle (what a File points to), its path (the
// side name until a new file is registered), and the open stream, if any.
struct CFileState {
	Files::Handle handle;
	std::string path;
	std::string name;
	bool side = false;
	bool writable = true;
	CFilePtr stream;
	long length = 0;
	long at = -1;
	EOp last = EOp::kNone;

	~CFileState() {
		stream.reset();
		if (side) unlink(path.c_str());
	}
};

class CFileTable {
public:
	// A new state; answers its number.
	long Add(std::unique_ptr<CFileState> state) {
		byHandle[&state->handle] = long(states.size()) + 1;
		states.push_back(std::move(state));
		return long(states.size());
	}
	long Number(const Files::Handle* f) const {
		auto it = byHandle.find(f);
		return it == byHandle.end() ? 0 : it->second;
	}
	CFileState* Get(long number) const {
		return number >= 1 && number <= long(states.size()) ? states[size_t(number) - 1].get() : nullptr;
	}
	CFileState* Get(const Files::Handle* f) const { return Get(Number(f)); }

private:
	std::vector<std::unique_ptr<CFileState>> states;
	std::unordered_map<const Files::Handle*, long> byHandle;
};

CFileTable table;

// The string an array holds: up to the first 0X or the end of the array.
std::string Text(const char* s, int n) {
	if (s == nullptr || n <= 0) return "";
	return std::string(s, strnlen(s, size_t(n)));
}

int Result(bool ok) {
	return ok ? 0 : (errno != 0 ? errno : EIO);
}

// Opens the state's stream again after Close; answers whether it is open.
bool Reopen(CFileState* state) {
	if (state->stream) return true;
	state->writable = true;
	FILE* f = fopen(state->path.c_str(), "r+b");
	if (f == nullptr) {
		f = fopen(state->path.c_str(), "rb");
		state->writable = false;
	}
	state->stream.reset(f);
	state->at = -1;
	state->last = EOp::kNone;
	return f != nullptr;
}

// Places the stream at pos for an operation; C streams need a seek between
// reading and writing, and one costs nothing worth saving elsewhere.
bool Position(CFileState* state, long pos, EOp op) {
	if (!Reopen(state)) return false;
	if (state->at == pos && state->last == op) return true;
	if (fseek(state->stream.get(), pos, SEEK_SET) != 0) {
		state->at = -1;
		return false;
	}
	state->at = pos;
	state->last = op;
	return true;
}

// The rider's file, or nullptr when it has none.
CFileState* FileOf(const Files::Rider* r) {
	return r == nullptr ? nullptr : table.Get(r->handle);
}

// Reads up to n bytes at the rider's position into buffer; sets eof and res.
long ReadAt(Files::Rider* r, unsigned char* buffer, long n) {
	if (r == nullptr) return 0;
	CFileState* state = FileOf(r);
	long got = 0;
	if (state != nullptr && r->pos >= 0 && n > 0 && Position(state, r->pos, EOp::kRead)) {
		if (n == 1) {
			int c = getc(state->stream.get());
			if (c != EOF) {
				buffer[0] = (unsigned char)c;
				got = 1;
			}
		} else {
			got = long(fread(buffer, 1, size_t(n), state->stream.get()));
		}
		if (got < n) {
			clearerr(state->stream.get());
			state->at = -1;
		} else {
			state->at += got;
		}
		r->pos += got;
	}
	r->res = n > 0 ? n - got : 0;
	if (got < n) r->eof = true;
	return got;
}

void WriteAt(Files::Rider* r, const unsigned char* buffer, long n) {
	if (r == nullptr) return;
	CFileState* state = FileOf(r);
	long put = 0;
	if (state != nullptr && state->writable && r->pos >= 0 && r->pos <= state->length && n > 0 && Position(state, r->pos, EOp::kWrite)) {
		put = long(fwrite(buffer, 1, size_t(n), state->stream.get()));
		if (put < n) {
			clearerr(state->stream.get());
			state->at = -1;
		} else {
			state->at += put;
		}
		r->pos += put;
		if (r->pos > state->length) state->length = r->pos;
	}
	r->res = n > 0 ? n - put : 0;
}

// Reads a little-endian number of count bytes; 0 when the file ends early.
uint64_t ReadLittle(Files::Rider* r, int count) {
	unsigned char bytes[sizeof(uint64_t)] = {};
	if (ReadAt(r, bytes, count) < count) return 0;
	uint64_t value = 0;
	for (int i = count - 1; i >= 0; --i) value = value << kByteBits | bytes[i];
	return value;
}

void WriteLittle(Files::Rider* r, uint64_t value, int count) {
	unsigned char bytes[sizeof(uint64_t)];
	for (int i = 0; i < count; ++i) bytes[i] = (unsigned char)(value >> (kByteBits * i));
	WriteAt(r, bytes, count);
}

// The extended-precision form of LONGREAL: 64-bit significand with its
// leading bit, then sign and 15-bit exponent, built from the value alone so
// that it is the same on every machine.
void EncodeExtended(long double x, uint64_t &mantissa, unsigned &top) {
	unsigned sign = signbit(x) ? kExtendedSign : 0u;
	long exponent = 0;
	mantissa = 0;
	if (isnan(x)) {
		exponent = kExtendedMaxExponent;
		mantissa = kExtendedQuiet;
	} else if (isinf(x)) {
		exponent = kExtendedMaxExponent;
		mantissa = kExtendedTopBit;
	} else if (x != 0) {
		int e = 0;
		long double m = frexpl(fabsl(x), &e);
		mantissa = uint64_t(ldexpl(m, kExtendedMantissaBits));
		exponent = long(e) - 1 + kExtendedBias;
		if (exponent <= 0) {
			long shift = 1 - exponent;
			mantissa = shift < kLongBits ? mantissa >> shift : 0;
			exponent = 0;
		}
	}
	top = sign | unsigned(exponent);
}

long double DecodeExtended(uint64_t mantissa, unsigned top) {
	unsigned exponent = top & kExtendedMaxExponent;
	long double x;
	if (exponent == kExtendedMaxExponent) {
		x = (mantissa << 1) == 0 ? HUGE_VALL : NAN;
	} else if (exponent == 0) {
		x = ldexpl((long double)mantissa, 1 - kExtendedBias - (kExtendedMantissaBits - 1));
	} else {
		x = ldexpl((long double)mantissa, int(exponent) - kExtendedBias - (kExtendedMantissaBits - 1));
	}
	return (top & kExtendedSign) ? -x : x;
}

// Makes the side file of a new file named name; answers nullptr with errno.
FILE* MakeSide(const std::string &name, std::string &path) {
	static long counter = 0;
	std::string base = name.empty() ? std::string("vyk") : name;
	for (int attempt = 0; attempt < kSideAttempts; ++attempt) {
		path = base + "." + std::to_string(long(getpid())) + "." + std::to_string(++counter) + ".tmp";
		int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
		if (fd >= 0) {
			FILE* f = fdopen(fd, "w+b");
			if (f == nullptr) {
				int saved = errno;
				close(fd);
				unlink(path.c_str());
				errno = saved;
			}
			return f;
		}
		if (errno != EEXIST) return nullptr;
	}
	return nullptr;
}

// Writes out what the stream buffers; answers 0 or the error number.
int FlushState(CFileState* state) {
	if (!state->stream) return 0;
	errno = 0;
	state->at = -1;
	return Result(fflush(state->stream.get()) == 0);
}

}

Files::File* Files::Old(char *VYK_ARR_name, const int VYK_ARR_0_name) {
	std::string name = Text(VYK_ARR_name, VYK_ARR_0_name);
	auto state = std::make_unique<CFileState>();
	state->path = name;
	state->name = name;
	errno = 0;
	if (name.empty()) {
		res = ENOENT;
		return nullptr;
	}
	if (!Reopen(state.get())) {
		res = Result(false);
		return nullptr;
	}
	struct stat info;
	if (fstat(fileno(state->stream.get()), &info) != 0) {
		res = Result(false);
		return nullptr;
	}
	if (S_ISDIR(info.st_mode)) {
		res = EISDIR;
		return nullptr;
	}
	state->length = long(info.st_size);
	res = 0;
	return &table.Get(table.Add(std::move(state)))->handle;
}

Files::File* Files::New(char *VYK_ARR_name, const int VYK_ARR_0_name) {
	auto state = std::make_unique<CFileState>();
	state->name = Text(VYK_ARR_name, VYK_ARR_0_name);
	errno = 0;
	FILE* f = MakeSide(state->name, state->path);
	if (f == nullptr) {
		res = Result(false);
		return nullptr;
	}
	state->stream.reset(f);
	state->side = true;
	res = 0;
	return &table.Get(table.Add(std::move(state)))->handle;
}

void Files::Register(File* f) {
	CFileState* state = table.Get(f);
	if (state == nullptr) {
		res = kNoFile;
		return;
	}
	res = FlushState(state);
	if (res != 0 || !state->side || state->name.empty()) return;
	errno = 0;
	if (rename(state->path.c_str(), state->name.c_str()) != 0) {
		res = Result(false);
		return;
	}
	state->path = state->name;
	state->side = false;
}

void Files::Close(File* f) {
	CFileState* state = table.Get(f);
	if (state == nullptr) {
		res = kNoFile;
		return;
	}
	if (!state->stream) {
		res = 0;
		return;
	}
	res = FlushState(state);
	errno = 0;
	FILE* stream = state->stream.release();
	if (fclose(stream) != 0 && res == 0) res = Result(false);
}

void Files::Purge(File* f) {
	CFileState* state = table.Get(f);
	if (state == nullptr) {
		res = kNoFile;
		return;
	}
	errno = 0;
	if (!Reopen(state) || !state->writable) {
		res = state->stream ? EACCES : Result(false);
		return;
	}
	res = FlushState(state);
	if (res != 0) return;
	if (ftruncate(fileno(state->stream.get()), 0) != 0) {
		res = Result(false);
		return;
	}
	state->length = 0;
}

void Files::Delete(char *VYK_ARR_name, const int VYK_ARR_0_name, int &res) {
	std::string name = Text(VYK_ARR_name, VYK_ARR_0_name);
	errno = 0;
	res = name.empty() ? ENOENT : Result(unlink(name.c_str()) == 0);
}

void Files::Rename(char *VYK_ARR_old, const int VYK_ARR_0_old, char *VYK_ARR_new, const int VYK_ARR_0_new, int &res) {
	std::string from = Text(VYK_ARR_old, VYK_ARR_0_old);
	std::string to = Text(VYK_ARR_new, VYK_ARR_0_new);
	errno = 0;
	res = (from.empty() || to.empty()) ? ENOENT : Result(rename(from.c_str(), to.c_str()) == 0);
}

long Files::Length(File* f) {
	CFileState* state = table.Get(f);
	return state == nullptr ? 0 : state->length;
}

void Files::GetDate(File* f, long &t, long &d) {
	t = 0;
	d = 0;
	CFileState* state = table.Get(f);
	if (state == nullptr) return;
	FlushState(state);
	struct stat info;
	if (stat(state->path.c_str(), &info) != 0) return;
	struct tm local;
	if (localtime_r(&info.st_mtime, &local) == nullptr) return;
	t = local.tm_hour * kTimeHour + local.tm_min * kTimeMinute + local.tm_sec;
	d = long(local.tm_year) * kDateYear + (local.tm_mon + 1) * kDateMonth + local.tm_mday;
}

void Files::Set(Rider* r, File* f, long pos) {
	if (r == nullptr) return;
	r->handle = table.Number(f);
	CFileState* state = table.Get(r->handle);
	long length = state == nullptr ? 0 : state->length;
	r->pos = pos < 0 ? 0 : (pos > length ? length : pos);
	r->eof = false;
	r->res = 0;
}

long Files::Pos(Rider* r) {
	return FileOf(r) == nullptr ? 0 : r->pos;
}

Files::File* Files::Base(Rider* r) {
	CFileState* state = FileOf(r);
	return state == nullptr ? nullptr : &state->handle;
}

void Files::Read(Rider* r, char &x) {
	unsigned char byte = 0;
	ReadAt(r, &byte, 1);
	x = char(byte);
}

void Files::ReadBytes(Rider* r, char *x, const int VYK_ARR_0_x, long n) {
	if (r == nullptr) return;
	long room = (x == nullptr || VYK_ARR_0_x < 0) ? 0 : VYK_ARR_0_x;
	long count = n < 0 ? 0 : (n > room ? room : n);
	long got = ReadAt(r, reinterpret_cast<unsigned char*>(x), count);
	if (n > count) {
		r->res = n - got;
		r->eof = r->eof || got < count;
	}
}

void Files::ReadBool(Rider* r, bool &x) {
	x = ReadLittle(r, 1) != 0;
}

void Files::ReadSInt(Rider* r, short &x) {
	x = short(uint16_t(ReadLittle(r, sizeof(uint16_t))));
}

void Files::ReadInt(Rider* r, int &x) {
	x = int(uint32_t(ReadLittle(r, sizeof(uint32_t))));
}

void Files::ReadLInt(Rider* r, long &x) {
	x = long(ReadLittle(r, sizeof(uint64_t)));
}

void Files::ReadReal(Rider* r, double &x) {
	uint64_t bits = ReadLittle(r, sizeof(uint64_t));
	static_assert(sizeof(double) == sizeof(uint64_t), "REAL is a 64-bit double");
	memcpy(&x, &bits, sizeof x);
}

void Files::ReadLReal(Rider* r, long double &x) {
	unsigned char bytes[kExtendedBytes] = {};
	if (ReadAt(r, bytes, kExtendedBytes) < kExtendedBytes) {
		x = 0;
		return;
	}
	uint64_t mantissa = 0;
	for (int i = int(sizeof(uint64_t)) - 1; i >= 0; --i) mantissa = mantissa << kByteBits | bytes[i];
	x = DecodeExtended(mantissa, unsigned(bytes[kExtendedTop]) | unsigned(bytes[kExtendedTop + 1]) << kByteBits);
}

void Files::ReadSet(Rider* r, int &x) {
	x = int(uint32_t(ReadLittle(r, sizeof(uint32_t))));
}

void Files::ReadString(Rider* r, char *x, const int VYK_ARR_0_x) {
	if (r == nullptr) return;
	long room = (x == nullptr || VYK_ARR_0_x <= 0) ? 0 : long(VYK_ARR_0_x) - 1;
	long kept = 0;
	long dropped = 0;
	unsigned char byte = 0;
	while (ReadAt(r, &byte, 1) == 1 && byte != 0) {
		if (kept < room) x[kept++] = char(byte);
		else ++dropped;
	}
	if (x != nullptr && VYK_ARR_0_x > 0) x[kept] = 0;
	if (!r->eof) r->res = dropped;
}

void Files::ReadNum(Rider* r, long &x) {
	uint64_t value = 0;
	int shift = 0;
	unsigned char byte = 0;
	int count = 0;
	while (ReadAt(r, &byte, 1) == 1) {
		++count;
		if ((byte & kNumMore) == 0) {
			uint64_t last = byte & kNumLow;
			if (byte & kNumSign) last |= ~uint64_t(kNumLow);
			if (shift < kLongBits) value |= last << shift;
			x = long(value);
			return;
		}
		if (shift < kLongBits) value |= uint64_t(byte & ~kNumMore) << shift;
		shift += kNumBits;
		if (count > kNumMaxBytes * kNumMaxBytes) break;
	}
	x = 0;
	if (r != nullptr && r->res == 0) r->res = 1;
}

void Files::Write(Rider* r, char x) {
	unsigned char byte = (unsigned char)x;
	WriteAt(r, &byte, 1);
}

void Files::WriteBytes(Rider* r, char *x, const int VYK_ARR_0_x, long n) {
	if (r == nullptr) return;
	long room = (x == nullptr || VYK_ARR_0_x < 0) ? 0 : VYK_ARR_0_x;
	long count = n < 0 ? 0 : (n > room ? room : n);
	WriteAt(r, reinterpret_cast<unsigned char*>(x), count);
	if (n > count) r->res += n - count;
}

void Files::WriteBool(Rider* r, bool x) {
	WriteLittle(r, x ? 1 : 0, 1);
}

void Files::WriteSInt(Rider* r, short x) {
	WriteLittle(r, uint16_t(x), sizeof(uint16_t));
}

void Files::WriteInt(Rider* r, int x) {
	WriteLittle(r, uint32_t(x), sizeof(uint32_t));
}

void Files::WriteLInt(Rider* r, long x) {
	WriteLittle(r, uint64_t(x), sizeof(uint64_t));
}

void Files::WriteReal(Rider* r, double x) {
	uint64_t bits;
	memcpy(&bits, &x, sizeof bits);
	WriteLittle(r, bits, sizeof(uint64_t));
}

void Files::WriteLReal(Rider* r, long double x) {
	uint64_t mantissa;
	unsigned top;
	EncodeExtended(x, mantissa, top);
	unsigned char bytes[kExtendedBytes];
	for (int i = 0; i < int(sizeof(uint64_t)); ++i) bytes[i] = (unsigned char)(mantissa >> (kByteBits * i));
	bytes[kExtendedTop] = (unsigned char)top;
	bytes[kExtendedTop + 1] = (unsigned char)(top >> kByteBits);
	WriteAt(r, bytes, kExtendedBytes);
}

void Files::WriteSet(Rider* r, int x) {
	WriteLittle(r, uint32_t(x), sizeof(uint32_t));
}

void Files::WriteString(Rider* r, char *VYK_ARR_x, const int VYK_ARR_0_x) {
	if (r == nullptr) return;
	std::string text = Text(VYK_ARR_x, VYK_ARR_0_x);
	WriteAt(r, reinterpret_cast<const unsigned char*>(text.c_str()), long(text.size()) + 1);
}

void Files::WriteNum(Rider* r, long x) {
	unsigned char bytes[kNumMaxBytes];
	int count = 0;
	while (x < -long(kNumSign) || x >= long(kNumSign)) {
		bytes[count++] = (unsigned char)((uint64_t(x) & (kNumMore - 1)) | kNumMore);
		x >>= kNumBits;
	}
	bytes[count++] = (unsigned char)(uint64_t(x) & (kNumMore - 1));
	WriteAt(r, bytes, count);
}

void Files::VYK_SYS_Files() {
	static bool VYK_SYS_was_started(false);
	if (VYK_SYS_was_started) return;
	VYK_SYS_was_started = true;
	SYSTEM::VYK_SYS_SYSTEM();
}
