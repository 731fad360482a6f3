// The compilation order of a project: every module after the modules of the project it
// imports, the main module last. The heads of the sources are read for it:
//   Module = MODULE ident ";" [ImportList] ...
//   ImportList = IMPORT Import {"," Import} ";"      Import = ident [":=" ident].
// Imports of modules outside the project (the library) are not followed.
#pragma once
#include <QString>
#include <QStringList>

struct SModuleHead {
    QString name;          // empty when the file holds no readable module head
    QStringList imports;   // the imported modules' real names, aliases resolved
};

// Reads the head of the source file; a file that cannot be read gives an empty head.
SModuleHead ReadModuleHead(const QString& path);
// Parses a head from the text of a source.
SModuleHead ParseModuleHead(const QString& text);

struct SCompileOrder {
    QStringList files;  // the files in compilation order; empty when there is a cycle
    QStringList cycle;  // the modules of an import cycle, the first repeated at the end
};

// Orders files (relative to folder) by their imports; files without a readable head keep
// their place among the others. The user's order decides wherever the imports leave a choice.
SCompileOrder OrderByImports(const QStringList& files, const QString& mainFile, const QString& folder);
