// The built program run inside the project manager: its standard output and error go to the
// output pane, its standard input comes line by line from the window, and its end is told
// with the exit code and, for the codes the library uses, what they mean. The program leads
// a process group of its own, so Stop ends whatever it started too.
#pragma once
#include <QObject>
#include <QProcess>
#include <QStringDecoder>

class CProgramRun : public QObject {
    Q_OBJECT
public:
    explicit CProgramRun(QObject* parent = nullptr);
    ~CProgramRun() override;

    bool Start(const QString& program, const QStringList& arguments, const QString& folder);
    bool IsRunning() const { return process.state() != QProcess::NotRunning; }
    // One line of standard input; the line end is added.
    void Input(const QString& line);
    void Stop();

    // The line that tells how a program ended: its exit code and the code's meaning.
    static QString EndText(bool normal, int code);

signals:
    void Output(const QString& text);
    void Ended(bool normal, int code);

private:
    void ReadOutput();

    QProcess process;
    QStringDecoder decoder{QStringDecoder::Utf8};
    bool stopping = false;
};
