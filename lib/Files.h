// Files: files on disk and riders that read and write them, called from
// generated C++. The declarations have the shapes the compiler writes for
// Files.dfn: File is a pointer to the record Handle, a VAR record parameter a
// pointer, and Rider carries its hidden fields (the number of its file in
// Files.cpp's table, and its position) after the exported ones.
#ifndef VYK_H_FILE_Files
#define VYK_H_FILE_Files
#include "SYSTEM.h"

namespace Files {

struct Handle;
typedef Handle File;
struct Rider;
struct Handle {
	virtual const char* VYK_SYS_ID() {return "Handle@Files";};
	enum {VYK_LEVEL = 0};
	virtual const VYK_TYPEDESC* VYK_DESC() const {return &VYK_TD<Handle>::d;};
};
struct Rider {
	virtual const char* VYK_SYS_ID() {return "Rider@Files";};
	enum {VYK_LEVEL = 0};
	virtual const VYK_TYPEDESC* VYK_DESC() const {return &VYK_TD<Rider>::d;};
	bool eof;
	long res;
	long handle;
	long pos;
};

extern int res;

//PROCEDURE Old
File* Old(char *VYK_ARR_name, const int VYK_ARR_0_name);
//PROCEDURE New
File* New(char *VYK_ARR_name, const int VYK_ARR_0_name);
//PROCEDURE Register
void Register(File* f);
//PROCEDURE Close
void Close(File* f);
//PROCEDURE Purge
void Purge(File* f);
//PROCEDURE Delete
void Delete(char *VYK_ARR_name, const int VYK_ARR_0_name, int &res);
//PROCEDURE Rename
void Rename(char *VYK_ARR_old, const int VYK_ARR_0_old, char *VYK_ARR_new, const int VYK_ARR_0_new, int &res);
//PROCEDURE Length
long Length(File* f);
//PROCEDURE GetDate
void GetDate(File* f, long &t, long &d);
//PROCEDURE Set
void Set(Rider* r, File* f, long pos);
//PROCEDURE Pos
long Pos(Rider* r);
//PROCEDURE Base
File* Base(Rider* r);
//PROCEDURE Read
void Read(Rider* r, char &x);
//PROCEDURE ReadBytes
void ReadBytes(Rider* r, char *x, const int VYK_ARR_0_x, long n);
//PROCEDURE ReadBool
void ReadBool(Rider* r, bool &x);
//PROCEDURE ReadSInt
void ReadSInt(Rider* r, short &x);
//PROCEDURE ReadInt
void ReadInt(Rider* r, int &x);
//PROCEDURE ReadLInt
void ReadLInt(Rider* r, long &x);
//PROCEDURE ReadReal
void ReadReal(Rider* r, double &x);
//PROCEDURE ReadLReal
void ReadLReal(Rider* r, long double &x);
//PROCEDURE ReadSet
void ReadSet(Rider* r, int &x);
//PROCEDURE ReadString
void ReadString(Rider* r, char *x, const int VYK_ARR_0_x);
//PROCEDURE ReadNum
void ReadNum(Rider* r, long &x);
//PROCEDURE Write
void Write(Rider* r, char x);
//PROCEDURE WriteBytes
void WriteBytes(Rider* r, char *x, const int VYK_ARR_0_x, long n);
//PROCEDURE WriteBool
void WriteBool(Rider* r, bool x);
//PROCEDURE WriteSInt
void WriteSInt(Rider* r, short x);
//PROCEDURE WriteInt
void WriteInt(Rider* r, int x);
//PROCEDURE WriteLInt
void WriteLInt(Rider* r, long x);
//PROCEDURE WriteReal
void WriteReal(Rider* r, double x);
//PROCEDURE WriteLReal
void WriteLReal(Rider* r, long double x);
//PROCEDURE WriteSet
void WriteSet(Rider* r, int x);
//PROCEDURE WriteString
void WriteString(Rider* r, char *VYK_ARR_x, const int VYK_ARR_0_x);
//PROCEDURE WriteNum
void WriteNum(Rider* r, long x);

//MODULE INITIALIZATION
void VYK_SYS_Files();

}
#endif
