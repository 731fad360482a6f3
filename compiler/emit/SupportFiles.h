// The run-time support files written for the main module: CPP/_VYK_sys.h/.cpp (MOD, ORD, COPY,
// VYK_SET_RANGE) and CPP/_VYK_main.h/.cpp (VYK_SYS_main_init, which starts the main module).
#pragma once
#include <string>
#include "OutputFiles.h"

// Writes the system pair, then (only when that succeeded) the main pair; with `outputs`, as
// files that the run's commit moves into place. False after an "ERROR: Cannot open/close file"
// message; files of a failed pair after it are not written.
bool WriteSupportFiles(const std::string& mainModule, COutputFiles* outputs = nullptr);

// CPP/_VYK_chk.h: the inline run-time checks that a module compiled with -c includes.
bool WriteCheckHeader(COutputFiles* outputs = nullptr);

// The type descriptor declarations of the support header, as lib/SYSTEM.h must repeat them.
const char* TypeDescriptorText();
