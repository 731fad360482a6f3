// The four makefile templates. Every makefile starts with the same head; targets 0 and 1 are
// nmake makefiles with one rule per file, targets 2 and 3 one rule that compiles and links all
// files with g++ at once. Make runs in the folder of the makefile, so names are relative to it.
#pragma once
#include <string>
#include "BuildDescription.h"
#include "CommandLine.h"
#include "TextFile.h"

// Writes the makefile of `options.platform` for `description`.
void WriteMakefile(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description);

// The file list of an nmake makefile, by position: 0 is _VYK_main, 1 _VYK_sys, 2 the main
// module, 3 and up the other modules.
std::vector<CModuleEntry> MakefilePositions(const CBuildDescription& description);

void WriteMakefileHead(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description);
void WriteNmakeMakefile(CTextFile& f, const CBuildDescription& description, bool windows);
void WriteMingwMakefile(CTextFile& f, const CVygenOptions& options, const CBuildDescription& description);

// Converts the Cyrillic letters of Windows-1251 to their codes in code page 866 (OEM Cyrillic),
// byte by byte; every other byte stays.
std::string Win1251ToOem866(const std::string& text);
