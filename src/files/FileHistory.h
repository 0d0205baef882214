#pragma once

#include "RegularFile.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

// What one run of the tool knows of the files it reads and writes, shared by
// all its windows: the state each file had when the tool last read or wrote
// it, which read failures it has told the operator about, and which files it
// could not read and so must not replace.
class FileHistory final
{
public:
    // The file as the tool has just read it.
    void remember(const QString &path, const FileSnapshot &file);
    // The file as the tool has just written it, read once more.
    void remember(const QString &path);

    // Whether another program changed the file since the tool last read or
    // wrote it, judged by what the file holds `now`. A file the tool never
    // looked at is not judged.
    bool changedBehindTheTool(const QString &path, const FileSnapshot &now) const;

    // A file the tool could not read (a FIFO, a device, a link it does not
    // follow, one far too large, one it may not read) is never replaced in
    // this run: a save says why instead.
    void refuse(const QString &path, const QString &reason);
    QString refusal(const QString &path) const; // empty when not refused

    // True the first time in this run that a failure to read `path` is to be
    // told; one unreadable file gives one message.
    bool firstReadFailure(const QString &path);

    // A file's contents as the tool saw them: whether it was there, and its
    // bytes, kept whole (they are a few kilobytes, shared with the read's own
    // copy): exact, and no digest to work out at start-up.
    struct State {
        bool exists = false;
        QByteArray bytes;
        bool operator==(const State &) const = default;
    };

private:
    QHash<QString, State> m_states;
    QHash<QString, QString> m_refused;
    QSet<QString> m_reported;
};
