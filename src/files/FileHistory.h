#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

// What one run of the tool knows of the files it reads and writes, shared by
// all its windows: the state each file had when the tool last read or wrote
// it, and which read failures it has told the operator about.
class FileHistory final
{
public:
    // The file as the tool has just read or written it.
    void remember(const QString &path);

    // Whether another program changed the file since the tool last read or
    // wrote it. A file the tool never looked at, and one that is now no
    // readable file (a folder, say), are not judged: the save itself reports
    // what stands in its way.
    bool changedBehindTheTool(const QString &path) const;

    // True the first time in this run that a failure to read `path` is to be
    // told; one unreadable file gives one message.
    bool firstReadFailure(const QString &path);

    // A file's contents as the tool saw them: whether it was there, and a
    // digest of its bytes.
    struct State {
        bool exists = false;
        QByteArray digest;
        bool operator==(const State &) const = default;
    };

private:
    QHash<QString, State> m_states;
    QSet<QString> m_reported;
};
