// One running project manager per user: a local socket named after the program. A second
// copy finds it, asks whether to go back to the first, and sends it the restore message.
#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit CSingleInstance(const QString& name = DefaultName(), QObject* parent = nullptr);
    static QString DefaultName();

    // True when another copy listens.
    bool OtherIsRunning() const;
    // Sends the restore message to the other copy; false when it could not be delivered.
    bool SendRestore() const;
    // Starts listening for restore messages; false when another copy holds the name.
    bool Listen();

signals:
    void RestoreRequested();

private:
    QString name;
    QLocalServer* server = nullptr;
};
