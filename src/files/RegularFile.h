#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>

// Reading the server's files as another account may have laid them out: a
// FIFO, a device or a link planted at a file's path must neither hang the
// tool, nor fill its memory, nor lead a save run as root somewhere else.

// Owner, group and permission bits, as the open handle saw them.
struct FileAttributes {
    bool ownerKnown = false; // false: no file, or a platform without owners
    uint owner = 0;
    uint group = 0;
    bool modeKnown = false;
    uint mode = 0; // permission bits, 07777
};

// A file as the tool read it.
struct FileSnapshot {
    bool exists = false; // false: nothing was at the path
    // Where the bytes came from, and so where a save writes: the path
    // itself, or the end of the links at it.
    QString target;
    QByteArray bytes;
    FileAttributes attributes;
};

// Far above any real kvxserver.conf or motd.txt.
constexpr qint64 textFileLimit = 16 * 1024 * 1024;

enum class LinkRule {
    // A link is followed only when it belongs to the user running the tool
    // or to the owner of the file the chain of links ends at: another
    // account cannot point a save run as root at a file it does not own.
    Trusted,
    // The operator chose the path in a dialog.
    Any,
};

// Reads the regular file at `path`, at most `limit` bytes. Nothing at the
// path is a success with `exists` false. The type, owner and size are judged
// on the opened handle, and the open never blocks (a FIFO) nor follows a
// final link of its own accord.
Result<FileSnapshot> readRegularFile(const QString &path, qint64 limit = textFileLimit, LinkRule links = LinkRule::Trusted);

// Why no file may be written at `path`: a folder, FIFO, device or socket
// lies there. Empty for a regular file, a link or nothing.
QString specialFileAt(const QString &path);

// "<path> could not be read: <reason>" and "<path> could not be written:
// <reason>", the path as the platform writes it.
Failure readFailure(const QString &path, const QString &reason);
Failure writeFailure(const QString &path, const QString &reason);

// "16 MiB", for messages.
QString describeSize(qint64 bytes);
