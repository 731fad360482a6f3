// Targets 0 and 1: an nmake makefile for the Visual C++ 6.0 tools, with a FILE_NAME_i and
// FILE_PATH_i pair per file, a CLEAN rule, inference rules and one compile rule per file.
// The windowed target differs only in the tool list, the compiler flags and the subsystem.
#include "Makefiles.h"
#include "ProjectValues.h"

namespace {

const char* const kInferenceRules[] = {
    "\t$(LINK32) @<<\n\t$(LINK32_FLAGS) $(LINK32_OBJS)\n<<\n\n",
    ".c{$(INTDIR)}.obj::\n\t$(CPP) @<<\n\t$(CPP_PROJ) $<\n<<\n\n",
    ".cpp{$(INTDIR)}.obj::\n\t$(CPP) @<<\n\t$(CPP_PROJ) $<\n<<\n\n",
    ".cxx{$(INTDIR)}.obj::\n\t$(CPP) @<<\n\t$(CPP_PROJ) $<\n<<\n\n",
    ".c{$(INTDIR)}.sbr::\n\t$(CPP) @<<\n\t$(CPP_PROJ) $<\n<<\n\n",
    ".cpp{$(INTDIR)}.sbr::\n\t$(CPP) @<<\n\t$(CPP_PROJ) $<\n<<\n\n",
    ".cxx{$(INTDIR)}.sbr::\n\t$(CPP) @<<\n\t$(CPP_PROJ) $<\n<<\n\n",
};

void FileVariables(CTextFile& f, const std::vector<CModuleEntry>& files)
{
    for (std::size_t i = 0; i < files.size(); ++i) {
        int n = static_cast<int>(i);
        f.Printf("FILE_NAME_%i=%s\nFILE_PATH_%i=", n, files[i].name.c_str(), n);
        if (files[i].path.empty()) f.Printf("\n");
        else f.Printf("%s\\\n", QuoteForNmake(files[i].path).c_str());
    }
}

void Tools(CTextFile& f, bool windows)
{
    f.Printf("\n!IF \"$(OS)\" == \"Windows_NT\"\nNULL=\n!ELSE\nNULL=nul\n!ENDIF\n\n");
    if (windows) f.Printf("CPP=cl.exe\nMTL=midl.exe\nRSC=rc.exe\n\nOUTDIR=$(DIR_NAME)\nINTDIR=$(DIR_NAME)\n\n");
    else f.Printf("CPP=cl.exe\nRSC=rc.exe\n\nOUTDIR=$(DIR_NAME)\nINTDIR=$(DIR_NAME)\n\n");
    f.Printf("ALL : \"$(OUTDIR)\\$(EXE_NAME).exe\"\n\n");
}

void CleanRule(CTextFile& f, std::size_t count)
{
    f.Printf("CLEAN :\n");
    f.Printf("\t-@erase \"$(INTDIR)\\vc60.idb\"\n");
    f.Printf("\t-@erase \"$(OUTDIR)\\$(EXE_NAME).exe\"\n");
    for (std::size_t i = 0; i < count; ++i) f.Printf("\t-@erase \"$(INTDIR)\\$(FILE_NAME_%i).obj\"\n", static_cast<int>(i));
    f.Printf("\n\"$(OUTDIR)\" :\n\tif not exist \"$(OUTDIR)/$(NULL)\" mkdir \"$(OUTDIR)\"\n\n");
}

void CompilerFlags(CTextFile& f, bool windows)
{
    if (windows) {
        f.Printf("CPP_PROJ=/nologo /MT /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /D \"_MBCS\" /Fp\"$(INTDIR)\\$(EXE_NAME).pch\" /YX /Fo\"$(INTDIR)\\\\\" /Fd\"$(INTDIR)\\\\\" /FD /c\n");
        f.Printf("MTL_PROJ=/nologo /D \"NDEBUG\" /mktyplib203 /win32\n");
        f.Printf("RSC_PROJ=/l 0x419 /fo\"$(INTDIR)\\Resource.res\" /d \"NDEBUG\"\n");
    } else {
        f.Printf("CPP_PROJ=/nologo /ML /W3 /GX /O2 /D \"WIN32\" /D \"NDEBUG\" /D \"_CONSOLE\" /D \"_MBCS\" /Fp\"$(INTDIR)\\$(EXE_NAME).pch\" /YX /Fo\"$(INTDIR)\\\\\" /Fd\"$(INTDIR)\\\\\" /FD /c\n");
    }
}

void LinkerFlags(CTextFile& f, bool windows, std::size_t count)
{
    f.Printf("BSC32=bscmake.exe\n");
    f.Printf("BSC32_FLAGS=/nologo /o\"$(OUTDIR)\\$(EXE_NAME).bsc\"\n");
    f.Printf("BSC32_SBRS= \\\n\n");
    f.Printf("LINK32=link.exe\n");
    f.Printf("LINK32_FLAGS=kernel32.lib user32.lib gdi32.lib winspool.lib comdlg32.lib advapi32.lib shell32.lib ole32.lib oleaut32.lib uuid.lib odbc32.lib odbccp32.lib /nologo /subsystem:%s /incremental:no /pdb:\"$(OUTDIR)\\$(EXE_NAME).pdb\" /machine:I386 /out:\"$(OUTDIR)\\$(EXE_NAME).exe\"\n",
             windows ? "windows" : "console");
    f.Printf("LINK32_OBJS=");
    for (std::size_t i = 0; i < count; ++i) f.Printf(" \\\n\t\"$(INTDIR)\\$(FILE_NAME_%i).obj\"", static_cast<int>(i));
    f.Printf("\n\n\"$(OUTDIR)\\$(EXE_NAME).exe\" : \"$(OUTDIR)\" $(DEF_FILE) $(LINK32_OBJS)\n");
}

void CompileRules(CTextFile& f, std::size_t count)
{
    for (const char* rule : kInferenceRules) f.Printf("%s", rule);
    for (std::size_t i = 0; i < count; ++i) {
        int n = static_cast<int>(i);
        f.Printf("SOURCE=\"$(FILE_PATH_%i)$(FILE_NAME_%i).cpp\"\n", n, n);
        f.Printf("\"$(INTDIR)\\$(FILE_NAME_%i).obj\" : $(SOURCE) \"$(INTDIR)\"\n", n);
        f.Printf("\t$(CPP) $(CPP_PROJ) $(SOURCE)\n\n");
    }
}

}  // namespace

void WriteNmakeMakefile(CTextFile& f, const CBuildDescription& description, bool windows)
{
    std::vector<CModuleEntry> files = MakefilePositions(description);
    FileVariables(f, files);
    Tools(f, windows);
    CleanRule(f, files.size());
    CompilerFlags(f, windows);
    LinkerFlags(f, windows, files.size());
    CompileRules(f, files.size());
}
