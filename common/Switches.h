// The switches of a console program's command line. An argument that begins with '-' is a
// switch (known or not); one that begins with '/' is a switch only when it is exactly one of
// the program's switches, and a path otherwise, so that absolute paths work on Linux. A
// switch's name is compared without regard to case, and a switch is exactly as long as its
// name: "-M" is switch m, "-mm" an unknown one. A switch's value is the next argument,
// whatever it looks like.
#pragma once
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "MessageStream.h"

// One switch: its name after the sign (lower case), the program's own number for it, and for
// a switch that takes a value, the message written when the value is missing.
struct SSwitch {
    const char* name;
    int id;
    const char* missingValue = nullptr;

    bool TakesValue() const { return missingValue != nullptr; }
};

class CSwitchTable {
public:
    CSwitchTable(std::initializer_list<SSwitch> switches) : switches(switches) {}

    bool IsSwitch(const std::string& arg) const;
    // The switch `arg` names; nullptr for an unknown one.
    const SSwitch* Find(const std::string& arg) const;

private:
    std::vector<SSwitch> switches;
};

// What taking one switch leads to: the next switch, the end of the scan after a command-line
// error (already reported), or the end of the run at once.
enum class EScanStep { next, error, fatal };

// Walks the switches of `args` left to right and hands each, with its value, to `take`;
// arguments that are not switches are passed over. An unknown switch and a missing value are
// reported on `out` and end the walk as an error; so does a step that is not `next`.
// Returns `next` when the walk went through.
EScanStep ScanSwitches(const std::vector<std::string>& args, const CSwitchTable& table, CMessageStream& out,
                       const std::function<EScanStep(int id, const std::string& value)>& take);
