// Window tests of the editor on the offscreen platform with the real compiler: files open from
// the project list, a syntax error leads from the log to its line and column, F4 walks the
// errors of two modules, modified tabs are saved before a compile, Ctrl+S saves the file, files
// changed by another program are offered for reload, and the search bar finds, replaces and
// goes to a line. Screenshots of an error marked in the editor at two font sizes.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include "DeskWindowSupport.h"
#include "Editor.h"
#include "Texts.h"

using A = IDeskPrompts::EAnswer;

namespace {

// Line 4 lacks THEN: the compiler stops at the x after "1", which with a tab of 4 columns is
// column 14 and byte 10 of the line.
constexpr char kBad[] = "MODULE Bad;\nVAR x: INTEGER;\nBEGIN\n\tIF x = 1 x := 2 END\nEND Bad.\n";
constexpr char kGood[] = "MODULE Bad;\nVAR x: INTEGER;\nBEGIN\n\tIF x = 1 THEN x := 2 END\nEND Bad.\n";
constexpr char kOther[] = "MODULE Other;\nVAR y: BOOLEAN;\nBEGIN\n  y := 1 +\nEND Other.\n";
constexpr int PlaceRole = Qt::UserRole + 1;

}  // namespace

class EditorTest : public QObject, CDeskWindowFixture {
    Q_OBJECT

    CEditorArea* Editors() { return w->Editors(); }
    int ShownQuestions(const char* text)
    {
        int n = 0;
        for (const auto& s : DeskDialogs::Shown()) n += s.text == QString::fromUtf8(text);
        return n;
    }

    void OpenProject(const QByteArray& files)
    {
        QDir(Path("p")).removeRecursively();
        WriteText(Path("p/p.pro"), "TARGET=2\n" + files);
        WriteText(Path("p/Bad.vyk"), kBad);
        WriteText(Path("p/Other.vyk"), kOther);
        DeskDialogs::SetNextFileNames({Path("p/p.pro")});
        Trigger("miOpenPro");
        QCOMPARE(w->project.files.size(), files.count("FILE="));
    }
    void CompileAll()
    {
        QTest::keyClick(w.get(), Qt::Key_F7);
        QVERIFY(RunUntilIdle(*w->pipeline));
    }
    int LogRowOfPlace(int index)
    {
        for (int row = 0; row < Ctl<QListWidget>("lbxLog")->count(); ++row) {
            const QVariant v = Ctl<QListWidget>("lbxLog")->item(row)->data(PlaceRole);
            if (v.isValid() && v.toInt() == index) return row;
        }
        return -1;
    }
    void DoubleClickRow(const char* list, int row)
    {
        QListWidget* l = Ctl<QListWidget>(list);
        QVERIFY(row >= 0 && row < l->count());
        l->scrollToItem(l->item(row));
        const QPoint at = l->visualItemRect(l->item(row)).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);  // QTest's first double-click is lost otherwise
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
    }
    void CheckCursor(const QString& file, int line, int index)
    {
        CSourceEditor* ed = Editors()->Current();
        QVERIFY(ed);
        QCOMPARE(ed->Path(), Path(file));
        int l = -1, i = -1;
        ed->getCursorPosition(&l, &i);
        QCOMPARE(l, line);
        QCOMPARE(i, index);
    }
    // Compiles the project with the bad module and opens its error from the log.
    void ShowBadError()
    {
        OpenProject("FILE=Bad.vyk\n");
        CompileAll();
        QCOMPARE(w->pipeline->locations.Count(), 1);
        const int row = LogRowOfPlace(0);
        QVERIFY(Ctl<QListWidget>("lbxLog")->item(row)->text().startsWith(QStringLiteral("Bad.vyk: ERROR (st 4, pos 14): ")));
        DoubleClickRow("lbxLog", row);
        CheckCursor("p/Bad.vyk", 3, 10);
    }
    bool Failed() const { return QTest::currentTestFailed(); }

private slots:
    void initTestCase() { DeskDialogs::EnableSeam(true); }

    void init()
    {
        OpenWindow();
        w->project.settings.vyk = QStringLiteral(VYK_BIN_DIR "/VYK");
        w->project.settings.vybind = QStringLiteral(VYK_BIN_DIR "/Vybind");
        w->project.settings.vygen = QStringLiteral(VYK_BIN_DIR "/Vygen");
        w->project.settings.tabSize = QStringLiteral("4");
        w->resize(900, 680);
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    void cleanup()
    {
        for (int i = 0; i < Editors()->Count(); ++i) Editors()->EditorAt(i)->setModified(false);
        CloseWindow();
    }

    void filesOpenFromTheListByDoubleClickAndEnter()
    {
        OpenProject("FILE=Bad.vyk\nFILE=Other.vyk\n");
        DoubleClickRow("lbxFiles", 1);
        QCOMPARE(Editors()->Count(), 1);
        QCOMPARE(Editors()->Current()->Path(), Path("p/Other.vyk"));
        QCOMPARE(Editors()->Current()->Bytes(), QByteArray(kOther));
        Ctl<QListWidget>("lbxFiles")->setCurrentRow(0);
        Ctl<QListWidget>("lbxFiles")->setFocus();
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_Return);
        QCOMPARE(Editors()->Count(), 2);
        QCOMPARE(Editors()->Current()->Path(), Path("p/Bad.vyk"));
        DoubleClickRow("lbxFiles", 1);  // an open file is shown, not opened twice
        QCOMPARE(Editors()->Count(), 2);
        QCOMPARE(Editors()->Tabs()->currentIndex(), 0);
    }

    void aSyntaxErrorLeadsToItsLineAndColumn()
    {
        ShowBadError();
        if (Failed()) return;
        CSourceEditor* ed = Editors()->Current();
        QVERIFY(ed->markersAtLine(3) & (1 << CSourceEditor::ErrorLine));
        QVERIFY(ed->annotation(3).contains(QStringLiteral("THEN")));
        QCOMPARE(ed->markersAtLine(2), 0u);
        QVERIFY(ShownQuestions(DeskText::SaveSourcesQuestion) == 0);  // nothing was modified

        // Enter on the line does the same; the marks stay until the next compile.
        ed->setCursorPosition(0, 0);
        Ctl<QListWidget>("lbxLog")->setCurrentRow(LogRowOfPlace(0));
        Ctl<QListWidget>("lbxLog")->setFocus();
        QTest::keyClick(Ctl<QListWidget>("lbxLog"), Qt::Key_Return);
        CheckCursor("p/Bad.vyk", 3, 10);
        WriteText(Path("p/Bad.vyk"), kGood);
        Editors()->CheckOutsideChanges();  // no answer queued: the editor keeps its text
        CompileAll();
        QCOMPARE(w->pipeline->locations.Count(), 0);
        QCOMPARE(ed->markersAtLine(3), 0u);
        QVERIFY(ed->annotation(3).isEmpty());
    }

    void f4WalksTheErrorsOfTwoModules()
    {
        OpenProject("FILE=Bad.vyk\nFILE=Other.vyk\n");
        CompileAll();
        QCOMPARE(w->pipeline->locations.Count(), 2);
        QCOMPARE(w->pipeline->locations.At(1).file, Path("p/Other.vyk"));
        const int otherLine = w->pipeline->locations.At(1).line - 1;
        QTest::keyClick(w.get(), Qt::Key_F4);
        CheckCursor("p/Bad.vyk", 3, 10);
        QCOMPARE(Ctl<QListWidget>("lbxLog")->currentRow(), LogRowOfPlace(0));
        QTest::keyClick(Editors()->Current(), Qt::Key_F4);
        QCOMPARE(Editors()->Current()->Path(), Path("p/Other.vyk"));
        int line = -1, index = -1;
        Editors()->Current()->getCursorPosition(&line, &index);
        QCOMPARE(line, otherLine);
        QVERIFY(Editors()->Current()->markersAtLine(line) & (1 << CSourceEditor::ErrorLine));
        QCOMPARE(Ctl<QListWidget>("lbxLog")->currentRow(), LogRowOfPlace(1));
        QTest::keyClick(w.get(), Qt::Key_F4);  // past the last: the first again
        CheckCursor("p/Bad.vyk", 3, 10);
        QTest::keyClick(w.get(), Qt::Key_F4, Qt::ShiftModifier);
        QCOMPARE(Editors()->Current()->Path(), Path("p/Other.vyk"));
    }

    void modifiedTabsAreSavedBeforeCompiling()
    {
        ShowBadError();
        if (Failed()) return;
        CSourceEditor* ed = Editors()->Current();
        ed->insertAt(QStringLiteral("THEN "), 3, 10);
        QVERIFY(ed->isModified());
        QVERIFY(Editors()->Tabs()->tabText(0).endsWith(QStringLiteral(" *")));
        DeskDialogs::SetNextAnswer(A::Cancel);
        CompileAll();
        QCOMPARE(ShownQuestions(DeskText::SaveSourcesQuestion), 1);
        QCOMPARE(ReadText(Path("p/Bad.vyk")), QByteArray(kBad));  // cancelled: nothing saved, nothing run
        QCOMPARE(w->pipeline->locations.Count(), 1);
        DeskDialogs::SetNextAnswer(A::Yes);
        CompileAll();
        QCOMPARE(ShownQuestions(DeskText::SaveSourcesQuestion), 2);
        QCOMPARE(ReadText(Path("p/Bad.vyk")), QByteArray(kGood));
        QCOMPARE(w->pipeline->locations.Count(), 0);
        QVERIFY(!ed->isModified());
        QCOMPARE(Editors()->Tabs()->tabText(0), QStringLiteral("Bad.vyk"));

        w->findChild<QCheckBox*>(QStringLiteral("cbAlwaysSave"))->setChecked(true);
        ed->insertAt(QStringLiteral("(* saved without a question *)\n"), 0, 0);
        CompileAll();
        QCOMPARE(ShownQuestions(DeskText::SaveSourcesQuestion), 2);
        QVERIFY(ReadText(Path("p/Bad.vyk")).startsWith("(* saved without a question *)\nMODULE Bad;"));
        QVERIFY(w->project.settings.SaveSettings(Path("Vydesk.ini")));
        QVERIFY(ReadText(Path("Vydesk.ini")).contains("\nALWAYSSAVE=1"));
    }

    void ctrlSSavesTheFileAndTheProjectKeepsItsOwnSave()
    {
        OpenProject("FILE=Bad.vyk\n");
        w->OpenListedFile(0);
        CSourceEditor* ed = Editors()->Current();
        w->project.MarkModified();
        ed->insertAt(QStringLiteral("THEN "), 3, 10);
        QTest::keyClick(ed, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(ReadText(Path("p/Bad.vyk")), QByteArray(kGood));
        QVERIFY(!ed->isModified());
        QVERIFY(w->project.modified);
        QTest::keyClick(Ctl<QListWidget>("lbxFiles"), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!w->project.modified);
        // Keys that the editor uses itself do not move the project's files.
        w->project.files << QStringLiteral("Other.vyk");
        Ctl<QListWidget>("lbxFiles")->setCurrentRow(0);
        QTest::keyClick(ed, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(w->project.files.first(), QStringLiteral("Bad.vyk"));
    }

    void filesChangedOnDiskAreOfferedForReload()
    {
        OpenProject("FILE=Bad.vyk\n");
        w->OpenListedFile(0);
        CSourceEditor* ed = Editors()->Current();
        WriteText(Path("p/Bad.vyk"), kGood);
        DeskDialogs::SetNextAnswer(A::Yes);
        QTRY_COMPARE(ed->Bytes(), QByteArray(kGood));  // the watcher asks by itself
        QCOMPARE(ShownQuestions("Файл \"Bad.vyk\" изменён другой программой. Загрузить его заново ?"), 1);
        QVERIFY(!ed->isModified());

        ed->insertAt(QStringLiteral("(* mine *)"), 0, 0);
        WriteText(Path("p/Bad.vyk"), QByteArray(kBad) + "(* theirs *)\n");
        Editors()->CheckOutsideChanges();  // the answer is No: the edit stays
        QCOMPARE(ShownQuestions("Файл \"Bad.vyk\" изменён другой программой. Загрузить его заново, отказавшись от правки в редакторе ?"), 1);
        QVERIFY(ed->isModified());
        QVERIFY(ed->Bytes().startsWith("(* mine *)"));
        Editors()->CheckOutsideChanges();  // asked once per change
        QTest::qWait(50);
        QCOMPARE(DeskDialogs::Shown().size(), size_t(2));
    }

    void bytesThatAreNotUtf8SurviveASave()
    {
        const QByteArray cp1251 = "MODULE M;\n(* \xcf\xf0\xe8\xe2\xe5\xf2 *)\nEND M.\r\n";
        WriteText(Path("M.vyk"), cp1251);
        CSourceEditor* ed = Editors()->Open(Path("M.vyk"));
        QVERIFY(ed && !ed->IsUtf8());
        ed->insertAt(QStringLiteral("\n"), 2, 0);
        QVERIFY(Editors()->SaveCurrent());
        QCOMPARE(ReadText(Path("M.vyk")), QByteArray("MODULE M;\n(* \xcf\xf0\xe8\xe2\xe5\xf2 *)\n\nEND M.\r\n"));
    }

    void searchReplaceAndGoToLine()
    {
        OpenProject("FILE=Bad.vyk\n");
        w->OpenListedFile(0);
        CSourceEditor* ed = Editors()->Current();
        QTest::keyClick(ed, Qt::Key_G, Qt::ControlModifier);
        QVERIFY(Editors()->edGoToLine->isVisible());
        QTest::keyClicks(Editors()->edGoToLine, QStringLiteral("5"));
        QTest::keyClick(Editors()->edGoToLine, Qt::Key_Return);
        int line = -1, index = -1;
        ed->getCursorPosition(&line, &index);
        QCOMPARE(line, 4);
        QVERIFY(!Editors()->edGoToLine->isVisible());

        QTest::keyClick(ed, Qt::Key_H, Qt::ControlModifier);
        Editors()->edFind->setText(QStringLiteral("x"));
        Editors()->edReplace->setText(QStringLiteral("count"));
        Editors()->cbWholeWord->setChecked(true);
        QVERIFY(Editors()->FindNext(true));
        QCOMPARE(ed->selectedText(), QStringLiteral("x"));
        QCOMPARE(Editors()->ReplaceAll(), 3);
        QVERIFY(ed->text().contains(QStringLiteral("IF count = 1 count := 2")));
        ed->undo();
        QCOMPARE(ed->Bytes(), QByteArray(kBad));  // one undo takes back all replacements
        Editors()->edFind->setText(QStringLiteral("nowhere"));
        QVERIFY(!Editors()->FindNext(true));
    }

    // A C++ compiler line of the build opens the generated file, read-only, at its line and
    // column (a tab moves to the next multiple of eight there).
    void cppCompilerLinesOpenTheGeneratedFile()
    {
        OpenProject("EXEC=bad\nFILE=Bad.vyk\n");
        WriteText(Path("p/CPP/Makefile.mak"), "");
        WriteText(Path("p/CPP/Bad.cpp"), "#include \"Bad.h\"\nnamespace Bad {\n\tint x = y;\n}\n");
        QVERIFY(QFile::link(QStringLiteral(FAKETOOL), Path("p/fakemake")));
        WriteText(Path("p/CPP/fakemake.txt"), "out Bad.cpp: In function 'void f()':\n"
                                              "out Bad.cpp:3:17: error: 'y' was not declared in this scope\nexit 2\n");
        w->project.settings.make = Path("p/fakemake");
        QTest::keyClick(w.get(), Qt::Key_F8);
        QVERIFY(RunUntilIdle(*w->pipeline));
        QCOMPARE(w->pipeline->locations.Count(), 1);
        const int row = LogRowOfPlace(0);
        QCOMPARE(Ctl<QListWidget>("lbxLog")->item(row)->text(), QStringLiteral("Bad.cpp:3:17: error: 'y' was not declared in this scope"));
        DoubleClickRow("lbxLog", row);
        CheckCursor("p/CPP/Bad.cpp", 2, 9);
        QVERIFY(Editors()->Current()->isReadOnly());
        QVERIFY(Editors()->Current()->markersAtLine(2) & (1 << CSourceEditor::ErrorLine));
    }

    void screenshotsOfAMarkedError()
    {
        ShowBadError();
        if (Failed()) return;
        QVERIFY(w->grab().save(QStringLiteral(SCREENSHOT_DIR "/editor-error-1x.png")));
        cleanup();
        const QFont normal = QApplication::font();
        QFont larger = normal;
        larger.setPointSizeF(normal.pointSizeF() * 1.5);
        QApplication::setFont(larger);
        init();
        w->resize(1200, 860);
        ShowBadError();
        const bool saved = w->grab().save(QStringLiteral(SCREENSHOT_DIR "/editor-error-1.5x.png"));
        QApplication::setFont(normal);
        QVERIFY(saved);
    }
};

QTEST_MAIN(EditorTest)
#include "EditorTest.moc"
