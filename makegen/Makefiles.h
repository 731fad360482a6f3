// The four makefile templates. Every makefile starts with the same head; targets 0 and 1 are
// nmake makefiles with one rule per file, targets 2 and 3 one rule that compiles and links all
// files with g++ at once. Make runs in the folder of the makefile, so names are relative to it.
#pragma once
#include <string>
#include "BuildDescription.h"
#include "CommandLine.h"
#include "LibraryArchive.h"
#include "TextFile.h"

// Writes the makefile of `options.platform` for `description`. Target 4 links the modules
// that `library` holds from its archive; relative folders are taken from `makefileFolder`.
void WriteMakefile(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description,
                   const CLibraryArchive& library = CLibraryArchive(), const std::string& makefileFolder = "./");

// The file list of an nmake makefile, by position: 0 is _VYK_main, 1 _VYK_sys, 2 the main
// module, 3 and up the other modules.
std::vector<CModuleEntry> MakefilePositions(const CBuildDescription& description);

void WriteMakefileHead(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description);
void WriteNmakeMakefile(CTextFile& f, const CBuildDescription& description, bool windows);
void WriteMingwMakefile(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description);
void WriteGnuMakefile(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description,
                      const CLibraryArchive& library, const std::string& makefileFolder);

// Target 4 writes every value into rule lines and shell commands: false, after a message naming
// the value, when one cannot be written there safely.
bool CheckGnuMakeValues(const CVygenOptions& options, const CBuildDescription& description,
                        const std::string& descriptionPath, CMessageStream& messages);

// Converts the Cyrillic letters of Windows-1251 to their codes in code page 866 (OEM Cyrillic),
// byte by byte; every other byte stays.
std::string Win1251ToOem866(const std::string& text);
