#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary tool folder: where a test's tool reads and writes its files.
class ToolFolder final
{
public:
    QString path() const { return m_dir.path(); }
    QString path(const QString &name) const;

    void write(const QString &name, const QByteArray &bytes, bool executable = false) const;
    QByteArray read(const QString &name) const; // empty when missing
    bool exists(const QString &name) const;

    // A stand-in KVXServer.exe (or a script of another `name`) that writes
    // the file `markerName` beside itself when started.
    void writeStandInServer(const QString &name = QStringLiteral("KVXServer.exe"),
                            const QString &markerName = QStringLiteral("server-started")) const;

private:
    QTemporaryDir m_dir;
};

// The bytes a saved document has: every line and CR LF. Inline, so that the
// core's tests, which link no window code, use it too.
inline QByteArray crLfBytes(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}
