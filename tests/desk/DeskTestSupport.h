// Helpers shared by the project manager tests: a scratch folder, file reading and writing,
// prompts with prepared answers, and stepping the tool pipeline until it is idle.
#pragma once
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>

#include "Pipeline.h"
#include "Prompts.h"

inline void WriteText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

inline QByteArray ReadText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

// Prompts that answer from a queue and remember every message.
class CFakePrompts : public IDeskPrompts {
public:
    std::deque<EAnswer> answers;
    std::deque<QString> files;
    QStringList shown;  // "Q:", "I:", "W:", "E:" + text

    EAnswer Question(const QString& text, EButtons) override
    {
        shown << QStringLiteral("Q:") + text;
        if (answers.empty()) return EAnswer::Cancel;
        const EAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    void Information(const QString& text) override { shown << QStringLiteral("I:") + text; }
    void Warning(const QString& text) override { shown << QStringLiteral("W:") + text; }
    void Error(const QString& text) override { shown << QStringLiteral("E:") + text; }
    QString NextFile()
    {
        if (files.empty()) return QString();
        const QString f = files.front();
        files.pop_front();
        return f;
    }
    QString SaveProjectFile(const QString&) override { return NextFile(); }
    QString OpenProjectFile() override { return NextFile(); }
    QStringList OpenSourceFiles() override
    {
        const QString f = NextFile();
        return f.isEmpty() ? QStringList() : f.split(QLatin1Char('|'));
    }
    QString OpenPathFile() override { return NextFile(); }
    void BringToFront() override {}
    void ShowImportPage() override {}
    void SetBusy(bool) override {}
};

// Polls `done` without running the event loop, so that no timer fires meanwhile; false when
// it is still not true after limitMs.
template <class F>
bool WaitWithoutEvents(F done, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs) return false;
        QTest::qSleep(10);
    }
    return true;
}

// Steps the two timers of the pipeline, as the event loop would, until both are off.
// Returns false when the tools did not finish within the time limit.
inline bool RunUntilIdle(CToolPipeline& pipeline, int limitMs = 60000)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < limitMs) {
        if (pipeline.tmLogger->isActive()) {
            QTest::qSleep(5);
            pipeline.LoggerTick();
        } else if (pipeline.tmSheduller->isActive()) {
            pipeline.ShedullerTick();
        } else {
            return true;
        }
    }
    return false;
}
