// Values that come from files someone else may have written (a project file, a build description,
// a link description) and end up in a makefile, a shell command, a process's arguments or a file
// path. Each kind has one rule: module names are identifiers, an executable name is a plain file
// name, and folders are quoted where they are written, with the characters that no quoting makes
// safe refused. Every program that takes such a value checks it with these functions, and every
// makefile writer quotes folders with them, so the rules are the same wherever a value goes.
#pragma once
#include <string>

// A module name: a letter or "_" first, then letters, digits and "_" (ASCII only).
bool IsModuleName(const std::string& name);

// An executable name: not empty, no path separator ("/" or "\"), no "..", no control character,
// and none of the characters that make, the shell or the file systems take as special:
// " ' ` $ # % ; : * ? < > | = ( ) [ ] { }. Spaces, "&" and non-ASCII bytes are allowed.
bool IsPlainFileName(const std::string& name);

// A folder (an import folder, a File entry's Path): anything but control characters and the
// double quote, which neither a makefile nor the command shells can carry safely. Every other
// character is written quoted by the functions below.
bool IsQuotableFolder(const std::string& folder);

// `value` for a message line: control characters are shown as "?".
std::string ShownValue(const std::string& value);

// The text of `value` for inside "..." in a recipe line of a make whose shell is sh: make turns
// "$$" into "$", and the shell then takes \$, \`, \" and \\ literally. A backslash is doubled only
// where the shell would read it as an escape, so Windows folders such as C:\lib\ stay as they are.
// `next` is the character that follows the value inside the quotes, '\0' when the closing quote does.
std::string QuoteForShellRecipe(const std::string& value, char next = '\0');

// The text of `value` for a macro definition of an nmake makefile: "$" becomes "$$", and "#"
// and "^" are escaped with "^".
std::string QuoteForNmake(const std::string& value);
