// The project manager with the real console programs: an example program with several modules
// is compiled (compile project), built (build executable) and run through the script of the
// run command, all from the main window. Skipped while the toolchain cannot build a program.
#include <QAction>
#include <QListWidget>
#include <QProcess>
#include <QTest>

#include "DeskWindowSupport.h"
#include "Platform.h"

class EndToEndTest : public QObject, CDeskWindowFixture {
    Q_OBJECT
    const QString bin = QStringLiteral(VYK_BIN_DIR);
    const QString root = QStringLiteral(VYK_SOURCE_DIR);

    // Whether the command-line chain builds and runs the smallest example.
    QString ChainProblem()
    {
        for (const char* tool : {"VYK", "Vybind", "Vygen"})
            if (!QFileInfo(bin + QLatin1Char('/') + QLatin1String(tool)).isExecutable())
                return QStringLiteral("%1 is not built in %2").arg(QLatin1String(tool), bin);
        QProcess probe;
        probe.start(QStringLiteral("sh"), {root + QStringLiteral("/tools/vykbuild.sh"), bin, root + QStringLiteral("/examples/hello")});
        if (!probe.waitForFinished(120000)) return QStringLiteral("the probe build did not finish");
        const QByteArray expected = ReadText(root + QStringLiteral("/examples/hello/expected"));
        if (probe.exitCode() != 0 || probe.readAllStandardOutput() != expected)
            return QStringLiteral("the chain cannot build examples/hello yet: ") +
                   QString::fromUtf8(probe.readAllStandardError().left(600));
        return QString();
    }

private slots:
    void compileBuildAndRunAnExample()
    {
        const QString problem = ChainProblem();
        if (!problem.isEmpty()) QSKIP(qPrintable(problem));

        const QString example = root + QStringLiteral("/examples/modules/");
        const QStringList modules = QString::fromUtf8(ReadText(example + QStringLiteral("modules"))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QByteArray pro = "MAIN=" + modules.last().toUtf8() + "\r\nTARGET=2\r\n";
        for (const QString& m : modules) {
            QVERIFY(QFile::copy(example + m, Path(m)));
            pro += "FILE=" + m.toUtf8() + "\r\n";
        }
        WriteText(Path("modules.pro"), pro);

        DeskDialogs::EnableSeam(true);
        OpenWindow({Path("modules.pro")});
        CToolSettings& s = w->project.settings;
        s.vyk = bin + QStringLiteral("/VYK");
        s.vybind = bin + QStringLiteral("/Vybind");
        s.vygen = bin + QStringLiteral("/Vygen");
        s.importFolders = {root + QStringLiteral("/lib/")};
        s.usePause = false;

        Trigger("tbCompileAll");
        w->pipeline->ShedullerTick();  // the first compiler starts
        QVERIFY(!Act("miMake")->isEnabled());
        QVERIFY(RunUntilIdle(*w->pipeline, 240000));
        const QStringList compiled = Log();
        for (const QString& m : modules)
            QVERIFY2(compiled.join(QLatin1Char('\n')).contains(QStringLiteral("from \"%1\" - OK").arg(m)), qPrintable(compiled.join('\n')));
        QVERIFY(compiled.contains(QStringLiteral("Vybind - OK")));
        QVERIFY(compiled.contains(QStringLiteral("Vygen - OK")));
        QCOMPARE(compiled.last(), QString::fromUtf8("Компиляция проекта завершена, ошибок: 0"));

        Trigger("tbMake");
        QVERIFY(RunUntilIdle(*w->pipeline, 240000));
        QVERIFY2(Log().last() == QString::fromUtf8("Сборка завершена, ошибок нет"), qPrintable(Log().join('\n')));
        QVERIFY(Act("tbCompileAll")->isEnabled());
        QVERIFY(w->grab().save(QStringLiteral(SCREENSHOT_DIR "/main-window-built.png")));

        // The run command writes the script; the terminal is replaced by nothing here, and the
        // script is run directly instead.
        DeskPlatform::SetTerminalCommand({QStringLiteral("true")});
        Trigger("tbRunExec");
        QVERIFY(DeskDialogs::Shown().empty());
        const QStringList scripts = QDir(Path("Make")).entryList({QStringLiteral("*.sh")});
        QCOMPARE(scripts.size(), 1);
        QProcess run;
        run.setStandardInputFile(QProcess::nullDevice());
        run.start(QStringLiteral("sh"), {Path("Make/") + scripts.front()});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.readAllStandardOutput(), ReadText(example + QStringLiteral("expected")) + "\n");
    }

    void cleanup() { CloseWindow(); }
};

QTEST_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
