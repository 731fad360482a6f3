// The places of log lines: which file a compiler diagnostic belongs to (the one the pipeline
// compiled when it was written), C++ compiler lines with relative and absolute paths, lines
// that point nowhere, and the column of a place as a byte offset under both counting rules.
#include <QTest>

#include "DeskTestSupport.h"
#include "LogLocations.h"
#include "Project.h"

class LogPlacesTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString Path(const QString& name) { return dir.filePath(name); }

private slots:
    void compilerLinesBelongToTheFileBeingCompiled()
    {
        CLogLocations places;
        SLogLocation at;
        QVERIFY(!places.Parse(QStringLiteral("ERROR (st 22, pos 4): THEN missing"), at));  // no file yet
        places.SetSource(QStringLiteral("/p/src/Calc.vyk"), QStringLiteral("src/Calc.vyk"));
        QCOMPARE(places.Add(QStringLiteral("ERROR (st 22, pos 4): THEN missing")), 0);
        QCOMPARE(places.Add(QStringLiteral("WARNING (st 3, pos 15): Not all control paths return a value")), 1);
        for (const char* other : {"ERROR: required file \"Out.dfn\" not found", "Lexical analysis of \"x\" - FAILED",
                                  "ERROR (st 0, pos 1): x", " ERROR (st 1, pos 1): x", "Calc - OK"})
            QCOMPARE(places.Add(QLatin1String(other)), -1);
        QCOMPARE(places.Count(), 2);
        const SLogLocation& e = places.At(0);
        QCOMPARE(e.file, QStringLiteral("/p/src/Calc.vyk"));
        QCOMPARE(e.shown, QStringLiteral("src/Calc.vyk"));
        QCOMPARE(e.line, 22);
        QCOMPARE(e.column, 4);
        QCOMPARE(e.kind, SLogLocation::Error);
        QCOMPARE(e.message, QStringLiteral("THEN missing"));
        QCOMPARE(places.At(1).kind, SLogLocation::Warning);
        places.Clear();
        QCOMPARE(places.Count(), 0);
        QCOMPARE(places.Add(QStringLiteral("ERROR (st 1, pos 1): x")), -1);  // a new run names its file again
    }

    void cppCompilerLinesNameTheirFile()
    {
        CLogLocations places;
        places.SetToolFolder(QStringLiteral("/p/CPP"));
        SLogLocation at;
        QVERIFY(places.Parse(QStringLiteral("Calc.cpp:12:5: error: 'x' was not declared in this scope"), at));
        QCOMPARE(at.file, QStringLiteral("/p/CPP/Calc.cpp"));
        QCOMPARE(at.line, 12);
        QCOMPARE(at.column, 5);
        QCOMPARE(at.columns, SLogLocation::DisplayColumns);
        QCOMPARE(at.message, QStringLiteral("'x' was not declared in this scope"));
        QVERIFY(places.Parse(QStringLiteral("../lib/Out.cpp:7: warning: unused"), at));
        QCOMPARE(at.file, QStringLiteral("/p/lib/Out.cpp"));
        QCOMPARE(at.column, 0);
        QCOMPARE(at.kind, SLogLocation::Warning);
        QVERIFY(places.Parse(QStringLiteral("/abs/dir/M.cpp:3:1: fatal error: M.h: No such file"), at));
        QCOMPARE(at.file, QStringLiteral("/abs/dir/M.cpp"));
        for (const char* other : {"In file included from Calc.cpp:3:", "Calc.cpp: In function 'int main()':",
                                  "Calc.cpp:12:5: note: declared here", "make: *** [Makefile.mak:4: all] Error 1"})
            QVERIFY2(!places.Parse(QLatin1String(other), at), other);
    }

    void columnsBecomeByteOffsets()
    {
        const auto vyk = SLogLocation::CompilerColumns;
        const auto cpp = SLogLocation::DisplayColumns;
        // The compiler counts a tab as the tab size and every byte as one column.
        QCOMPARE(ColumnToOffset("\tIF x", 5, vyk, 4), 1);
        QCOMPARE(ColumnToOffset("\tIF x", 2, vyk, 1), 1);
        QCOMPARE(ColumnToOffset("\t\tx", 9, vyk, 4), 2);
        QCOMPARE(ColumnToOffset("\tx", 1, vyk, 0), 1);
        QCOMPARE(ColumnToOffset("s := \"\xd0\xaf\"; y", 11, vyk, 1), 10);
        QCOMPARE(ColumnToOffset("short", 40, vyk, 4), 5);
        // The C++ compiler counts characters and moves a tab to the next multiple of eight.
        QCOMPARE(ColumnToOffset("\t\tx = 1;", 17, cpp, 4), 2);
        QCOMPARE(ColumnToOffset("ab\tx", 9, cpp, 4), 3);
        QCOMPARE(ColumnToOffset("\"\xd0\xaf\" + y", 6, cpp, 1), 6);
    }

    // Two files compiled one after the other: each ERROR line points into its own file.
    void thePipelineNamesEachFileBeforeItsLines()
    {
        CDeskProject p;
        CFakePrompts ui;
        CToolPipeline pipe(p, ui);
        QDir().mkpath(Path("bin"));
        QFile::link(QStringLiteral(FAKETOOL), Path("bin/fake"));
        p.settings.vyk = p.settings.vybind = p.settings.vygen = Path("bin/fake");
        WriteText(Path("proj/p.pro"), "MAIN=b.vyk\nFILE=a.vyk\nFILE=sub/b.vyk\n");
        QVERIFY(p.LoadProject(Path("proj/p.pro")));
        WriteText(Path("proj/a.vyk"), "out ERROR (st 2, pos 3): first\nexit 1\n");
        WriteText(Path("proj/sub/b.vyk"), "out WARNING (st 4, pos 1): second\nout ERROR (st 5, pos 2): third\nexit 1\n");
        WriteText(Path("proj/fake.txt"), "out ERROR (st 9, pos 9): no file of its own\n");
        QList<int> located;
        connect(&pipe, &CToolPipeline::LineLocated, this, [&](int i) { located << i; });
        pipe.CompileProject();
        QVERIFY(RunUntilIdle(pipe));
        QCOMPARE(located, QList<int>({0, 1, 2}));
        QCOMPARE(pipe.locations.Count(), 3);
        QCOMPARE(pipe.locations.At(0).file, QDir(Path("proj")).absoluteFilePath("a.vyk"));
        QCOMPARE(pipe.locations.At(1).file, QDir(Path("proj")).absoluteFilePath("sub/b.vyk"));
        QCOMPARE(pipe.locations.At(1).shown, QStringLiteral("sub/b.vyk"));
        QCOMPARE(pipe.locations.At(2).message, QStringLiteral("third"));
        pipe.CompileProject();  // a new run starts from an empty list
        QCOMPARE(pipe.locations.Count(), 0);
        QVERIFY(RunUntilIdle(pipe));
        QCOMPARE(pipe.locations.Count(), 3);
    }
};

QTEST_GUILESS_MAIN(LogPlacesTest)
#include "LogPlacesTest.moc"
