// Core tests of the project manager's files: the project file, Vydesk.ini, the temporary
// project file, the recent list, the executable name and the splitting of command lines.
#include <QSignalSpy>
#include <QTest>

#include "DeskTestSupport.h"
#include "KeyValueFile.h"
#include "Project.h"
#include "Settings.h"
#include "Texts.h"
#include "ModuleOrder.h"
#include "ToolProcess.h"

class ProjectTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString Path(const char* name) { return dir.filePath(QLatin1String(name)); }

private slots:
    void readsProjectLinesWithBlanksQuotesAndComments()
    {
        WriteText(Path("p.pro"),
                  "  FILE = 'src/a.vyk'  \r\n#FILE=x\r\n;FILE=y\r\nFILE\r\n\r\nIMPORT=/elsewhere/\n"
                  "MAIN=\"src/a.vyk\"\nEXEC = prog.exe\nTARGET= 3\nFILE=b.vyk\nFILE='\nUNKNOWN=1\n");
        CDeskProject p;
        p.settings.importFolders = {QStringLiteral("/lib/")};
        QSignalSpy titles(&p, &CDeskProject::TitleChanged);
        QVERIFY(p.LoadProject(Path("p.pro")));
        QCOMPARE(p.files, QStringList({"src/a.vyk", "b.vyk", "'"}));
        QCOMPARE(p.mainFile, QStringLiteral("src/a.vyk"));
        QCOMPARE(p.execName, QStringLiteral("prog.exe"));
        QCOMPARE(p.target, 3);
        QCOMPARE(p.settings.importFolders, QStringList({"/lib/"}));  // the settings' folders stay global
        QCOMPARE(p.imports, QStringList({"/elsewhere/"}));
        QCOMPARE(p.projectFolder, QDir(dir.path()).absolutePath() + QLatin1Char('/'));
        QCOMPARE(QDir::currentPath(), QDir(dir.path()).absolutePath());
        for (const char* folder : {"CPP", "DFN", "Make"}) QVERIFY(QDir(Path(folder)).exists());
        QVERIFY(!p.modified);
        QCOMPARE(titles.last().at(0).toString(), QLatin1Char('[') + Path("p.pro") + QStringLiteral("] - Vydesk"));
    }

    void failedReadsLeaveNoProject()
    {
        CDeskProject p;
        WriteText(Path("good.pro"), "FILE=a.vyk\r\n");
        WriteText(Path("bad.pro"), "FILE=a.vyk\r\nTARGET=two\r\n");
        QVERIFY(p.LoadProject(Path("good.pro")));
        QVERIFY(!p.LoadProject(Path("bad.pro")));
        QVERIFY(!p.HasProject());
        QVERIFY(p.files.isEmpty());
        QCOMPARE(p.Title(), QStringLiteral("Vydesk"));
        QVERIFY(!p.LoadProject(Path("missing.pro")));
        QVERIFY(!p.HasProject());
        WriteText(Path("range.pro"), "TARGET=7\r\n");  // an index the box does not have
        QVERIFY(p.LoadProject(Path("range.pro")));
        QCOMPARE(p.target, 0);
    }

    void savesInFixedOrderWithCrLf()
    {
        CDeskProject p;
        p.settings.importFolders = {QStringLiteral("/lib/"), QStringLiteral("/more lib/")};
        p.files = QStringList({"a.vyk", "sub/b.vyk"});
        p.target = 0;
        p.checks = false;
        p.MarkModified();
        QVERIFY(p.SaveProject(Path("s.pro")));
        QCOMPARE(ReadText(Path("s.pro")),
                 QByteArray("IMPORT=/lib/\r\nIMPORT=/more lib/\r\nTARGET=0\r\nFILE=a.vyk\r\nFILE=sub/b.vyk\r\n"));
        QVERIFY(!p.modified);
        QCOMPARE(p.projectFile, Path("s.pro"));
        p.mainFile = QStringLiteral("a.vyk");
        p.execName = QString::fromUtf8("программа.exe");
        p.target = 2;
        QVERIFY(p.SaveProject(Path("s.pro")));
        QCOMPARE(ReadText(Path("s.pro")),
                 QByteArray("IMPORT=/lib/\r\nIMPORT=/more lib/\r\nMAIN=a.vyk\r\nEXEC=") + "программа.exe" +
                     "\r\nTARGET=2\r\nFILE=a.vyk\r\nFILE=sub/b.vyk\r\n");
        // A save that cannot be written keeps the open project and fails.
        QVERIFY(!p.SaveProject(Path("no/such/folder/x.pro")));
        QCOMPARE(p.projectFile, Path("s.pro"));
        // And the saved file reads back as it was written.
        CDeskProject q;
        QVERIFY(q.LoadProject(Path("s.pro")));
        QCOMPARE(q.files, p.files);
        QCOMPARE(q.execName, p.execName);
    }

    // New projects build with one object per module and with run-time checks; a project file
    // written before either existed reads and saves as it always did.
    void newProjectsTakeTargetFourAndChecks()
    {
        CDeskProject fresh;
        QCOMPARE(fresh.target, 4);
        QVERIFY(fresh.checks);
        fresh.files = QStringList({"a.vyk"});
        QVERIFY(fresh.SaveProject(Path("new.pro")));
        QCOMPARE(ReadText(Path("new.pro")), QByteArray("TARGET=4\r\nCHECKS=1\r\nFILE=a.vyk\r\n"));

        const QByteArray old = "MAIN=a.vyk\r\nTARGET=3\r\nFILE=a.vyk\r\n";
        WriteText(Path("old.pro"), old);
        CDeskProject p;
        QVERIFY(p.LoadProject(Path("old.pro")));
        QCOMPARE(p.target, 3);
        QVERIFY(!p.checks);
        QVERIFY(p.SaveProject(Path("old.pro")));
        QCOMPARE(ReadText(Path("old.pro")), old);
        WriteText(Path("bare.pro"), "FILE=a.vyk\r\nCHECKS=0\r\n");
        QVERIFY(p.LoadProject(Path("bare.pro")));
        QCOMPARE(p.target, 2);  // no TARGET line: the target such a file always built with
        QVERIFY(!p.checks);
        QVERIFY(p.LoadProject(Path("new.pro")));
        QCOMPARE(p.target, 4);
        QVERIFY(p.checks);
        p.SetChecks(false);
        QVERIFY(p.modified);
        p.CloseProject();
        QCOMPARE(p.target, 4);
        QVERIFY(p.checks);
    }

    void settingsReadDefaultsAndRoundTrip()
    {
        WriteText(Path("a.ini"), "[Vydesk]\nIMPORT=/l1/\nIMPORT=/l2/\nREOPEN=/p/old.pro\nREOPEN=/p/new.pro\n"
                                 "VYK=/bin/vyk\nTABSIZE=4\nWINTOOEM=1\nCONFIRMCLEAR=0\nUSEPAUSE=yes\nMAKE=make -f M\n");
        CToolSettings s;
        s.LoadSettings(Path("a.ini"));
        QCOMPARE(s.importFolders, QStringList({"/l1/", "/l2/"}));
        QCOMPARE(s.recent, QStringList({"/p/new.pro", "/p/old.pro"}));
        QCOMPARE(s.vyk, QStringLiteral("/bin/vyk"));
        QCOMPARE(s.tabSize, QStringLiteral("4"));
        QVERIFY(s.winToOem);
        QVERIFY(!s.confirmClear);
        QVERIFY(!s.usePause);  // only "1" is on
        QCOMPARE(s.vybind, CToolSettings().vybind);
        QVERIFY(s.SaveSettings(Path("b.ini")));
        const QByteArray expected = "[Vydesk]\r\nIMPORT=/l1/\r\nIMPORT=/l2/\r\nREOPEN=/p/old.pro\r\nREOPEN=/p/new.pro\r\n"
                                    "VYK=/bin/vyk\r\nVYBIND=" + s.vybind.toUtf8() + "\r\nVYGEN=" + s.vygen.toUtf8() +
                                    "\r\nMAKEFILE=Makefile.mak\r\nTABSIZE=4\r\nNMAKE=nmake -NOLOGO -f Makefile.mak\r\n"
                                    "CPP=c++\r\nMAKE=make -f M\r\nWINTOOEM=1\r\nCONFIRMCLEAR=0\r\nUSEPAUSE=0\r\n";
        QCOMPARE(ReadText(Path("b.ini")), expected);
        CToolSettings again;
        again.LoadSettings(Path("b.ini"));
        QCOMPARE(again.recent, s.recent);

        for (auto [text, result] : {std::pair{"-3", "1"}, {"abc", "1"}, {"4", "4"}, {"0", "0"}, {"", "1"}})
            QCOMPARE(NormalizeTabSize(QLatin1String(text)), QLatin1String(result));
        CToolSettings missing;
        missing.importFolders = {QStringLiteral("x")};
        missing.LoadSettings(Path("none.ini"));
        QVERIFY(missing.importFolders.isEmpty());
        QCOMPARE(missing.tabSize, QStringLiteral("1"));
    }

    void recentListKeepsFourMostRecent()
    {
        CToolSettings s;
        s.AddRecentProject(QStringLiteral("a"));
        s.AddRecentProject(QStringLiteral("a"));
        QCOMPARE(s.recent, QStringList({"a"}));
        for (const char* n : {"b", "c", "d"}) s.AddRecentProject(QLatin1String(n));
        s.AddRecentProject(QStringLiteral("b"));
        QCOMPARE(s.recent, QStringList({"b", "d", "c", "a"}));
        s.AddRecentProject(QStringLiteral("e"));
        QCOMPARE(s.recent, QStringList({"e", "b", "d", "c"}));
        s.RemoveRecentProject(QStringLiteral("d"));
        QCOMPARE(s.recent, QStringList({"e", "b", "c"}));
    }

    void tempProjectFileAndItsLimit()
    {
        QVERIFY(QDir::setCurrent(dir.path()));
        CDeskProject p;
        p.settings.importFolders = {QStringLiteral("/lib/")};
        p.mainFile = QStringLiteral("main.vyk");
        p.files = {QStringLiteral("main.vyk")};
        p.target = 3;
        p.settings.tabSize = QStringLiteral("4");
        QVERIFY(p.WriteTempProject());
        QCOMPARE(ReadText(Path("vydeskpro.tmp")), QByteArray("IMPORT=/lib/\r\nMAIN=main.vyk\r\nTABSIZE=4\r\n"));
        p.execName = QStringLiteral("x");
        p.settings.importFolders = {QStringLiteral("/a/"), QString(MaxTempProjectValue, QLatin1Char('f'))};
        QVERIFY(p.WriteTempProject());
        p.settings.importFolders.append(QString(MaxTempProjectValue + 1, QLatin1Char('f')));
        QVERIFY(!p.WriteTempProject());
        const QByteArray partial = ReadText(Path("vydeskpro.tmp"));
        QVERIFY(partial.startsWith("IMPORT=/a/\r\nIMPORT=fff"));
        QVERIFY(!partial.contains("TABSIZE"));
    }

    // The project file's own import folders survive a load and a save (they used to be
    // dropped), and a compilation searches them before the settings' folders.
    void projectImportFoldersAreKept()
    {
        QVERIFY(QDir::setCurrent(dir.path()));
        WriteText(Path("i.pro"), "IMPORT=/lib/\r\nIMPORT=/mine/\r\nTARGET=2\r\nFILE=a.vyk\r\n");
        CDeskProject p;
        p.settings.importFolders = {QStringLiteral("/lib/"), QStringLiteral("/other/")};
        QVERIFY(p.LoadProject(Path("i.pro")));
        QCOMPARE(p.imports, QStringList({"/mine/"}));
        p.MarkModified();
        QVERIFY(p.SaveProject(Path("i.pro")));
        QCOMPARE(ReadText(Path("i.pro")), QByteArray("IMPORT=/mine/\r\nIMPORT=/lib/\r\nIMPORT=/other/\r\nTARGET=2\r\nFILE=a.vyk\r\n"));
        QVERIFY(p.WriteTempProject());
        QVERIFY(ReadText(Path("vydeskpro.tmp")).startsWith("IMPORT=/mine/\r\nIMPORT=/lib/\r\nIMPORT=/other/\r\n"));
        CDeskProject q;
        q.settings.importFolders = {QStringLiteral("/lib/")};
        QVERIFY(q.LoadProject(Path("i.pro")));
        QCOMPARE(q.imports, QStringList({"/mine/", "/other/"}));
    }

    void moduleHeads()
    {
        const SModuleHead h = ParseModuleHead(QStringLiteral("(* a (* nested *) comment *) MODULE Calc;\n"
                                                             "(* IMPORT Fake; *) IMPORT Out, S := Stacks,\n\tR:=Rationals;\nVAR x: INTEGER;"));
        QCOMPARE(h.name, QStringLiteral("Calc"));
        QCOMPARE(h.imports, QStringList({"Out", "Stacks", "Rationals"}));
        QCOMPARE(ParseModuleHead(QStringLiteral("MODULE M; VAR i: INTEGER; IMPORT X;")).imports, QStringList());
        QCOMPARE(ParseModuleHead(QStringLiteral("DEFINITION M;")).name, QString());
        QCOMPARE(ReadModuleHead(Path("none.vyk")).name, QString());
    }

    // A module after the project's modules it imports, the main module last, the user's
    // order wherever the imports leave a choice, and a cycle named with its modules.
    void compileOrderFollowsImports()
    {
        WriteText(Path("o/Main.vyk"), "MODULE Main; IMPORT Out, B, A;");
        WriteText(Path("o/A.vyk"), "MODULE A; IMPORT C;");
        WriteText(Path("o/B.vyk"), "MODULE B; IMPORT Out;");
        WriteText(Path("o/C.vyk"), "MODULE C;");
        WriteText(Path("o/broken.vyk"), "garbage");
        const QString folder = Path("o/");
        const SCompileOrder o = OrderByImports({"Main.vyk", "A.vyk", "broken.vyk", "B.vyk", "C.vyk"}, "Main.vyk", folder);
        QCOMPARE(o.files, QStringList({"C.vyk", "A.vyk", "broken.vyk", "B.vyk", "Main.vyk"}));
        QVERIFY(o.cycle.isEmpty());
        WriteText(Path("o/C.vyk"), "MODULE C; IMPORT B;");
        WriteText(Path("o/B.vyk"), "MODULE B; IMPORT A;");
        const SCompileOrder cyc = OrderByImports({"Main.vyk", "A.vyk", "B.vyk", "C.vyk"}, "Main.vyk", folder);
        QVERIFY(cyc.files.isEmpty());
        QCOMPARE(cyc.cycle, QStringList({"A", "C", "B", "A"}));
    }

    void executableName()
    {
        CDeskProject p;
        const struct {
            const char *main, *exec, *result;
        } cases[] = {{"src/prog.mod", "", "src/prog.exe"}, {"prog", "", "prog.exe"},
                     {"a.b.c", "", "a.b.exe"}, {"prog.mod", "other", "other"}, {"", "", ".exe"}};
        for (const auto& c : cases) {
            p.mainFile = QLatin1String(c.main);
            p.execName = QLatin1String(c.exec);
            QCOMPARE(p.ExecutableName(), QLatin1String(c.result));
        }
    }

    void keyValueLines()
    {
        SKeyValue kv;
        QVERIFY(!ParseKeyValueLine(QStringLiteral("   "), kv));
        QVERIFY(!ParseKeyValueLine(QStringLiteral("[Vydesk]"), kv));
        QVERIFY(ParseKeyValueLine(QStringLiteral("K=\"\""), kv));
        QCOMPARE(kv.value, QString());
        QVERIFY(ParseKeyValueLine(QStringLiteral("K = a = b "), kv));
        QCOMPARE(kv.key, QStringLiteral("K"));
        QCOMPARE(kv.value, QStringLiteral("a = b"));
        QVERIFY(ParseKeyValueLine(QStringLiteral("K='x\""), kv));
        QCOMPARE(kv.value, QStringLiteral("'x\""));
        // A huge file is refused rather than read.
        QFile big(Path("big.pro"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(MaxKeyValueFileSize + 1));
        big.close();
        CDeskProject p;
        QVERIFY(!p.LoadProject(Path("big.pro")));
    }

    void commandLinesSplitLikeWindows()
    {
        const struct {
            const char* line;
            QStringList args;
        } cases[] = {
            {"\"/my tools/VYK\" \"src/a b.vyk\" vydeskpro.tmp -a", {"/my tools/VYK", "src/a b.vyk", "vydeskpro.tmp", "-a"}},
            {"make  -f\tMakefile.mak", {"make", "-f", "Makefile.mak"}},
            {"a\\\\\"b c\" d", {"a\\b c", "d"}},
            {"a\\\"b", {"a\"b"}},
            {"a\\\\b", {"a\\\\b"}},
            {"\"\"", {""}},
            {"\"a\"\"b\"", {"a\"b"}},
            {"  ", {}},
        };
        for (const auto& c : cases) QCOMPARE(SplitCommandLine(QLatin1String(c.line)), c.args);
    }
};

QTEST_GUILESS_MAIN(ProjectTest)
#include "ProjectTest.moc"
