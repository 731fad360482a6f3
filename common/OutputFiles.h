// The output files of one run of a console program. Each file is written under a temporary name
// beside its place and moved into place only when the whole run has succeeded, in the order the
// files were opened, so a run that fails leaves every earlier output as it was; a file whose new
// text equals the text already in place is not moved, and the old file keeps its time (make then
// sees nothing new). A place that holds something other than a regular file (a folder, a device)
// is opened directly, as before: writing there fails or goes where it always went.
//
//   COutputFiles outputs;
//   CTextFile f;
//   if (!outputs.Open(f, "CPP/M.h")) ...;   f.Printf(...);   if (!f.Close()) ...;
//   ... more files ...
//   if (!outputs.Commit(failed)) ...;        // destroying without Commit drops them all
#pragma once
#include <string>
#include <vector>
#include "TextFile.h"

class COutputFiles {
public:
    COutputFiles() = default;
    COutputFiles(const COutputFiles&) = delete;
    COutputFiles& operator=(const COutputFiles&) = delete;
    ~COutputFiles() { Discard(); }

    // Opens `file` for writing the text that is to become `path`. False when the folder cannot
    // take a new file or `path` exists and refuses writing.
    bool Open(CTextFile& file, const std::string& path);
    // Moves every file into place (the files must be closed). False, with the place that could
    // not be replaced in `failedPath`, when a move fails; the files after it are dropped.
    bool Commit(std::string& failedPath);
    // Removes the temporary files that have not been moved into place.
    void Discard();

private:
    struct CEntry {
        std::string path;
        std::string temporary;   // empty: opened directly
    };
    std::vector<CEntry> entries;
};
