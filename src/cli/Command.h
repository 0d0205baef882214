#pragma once

#include "files/Result.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;
struct CommandEntry;

// Exit statuses every command shares; `check` also ends with 1 when it has
// something to report.
enum ExitStatus : int {
    ExitDone = 0,
    ExitFileError = 1, // a file or folder that could not be read or written
    ExitFindings = 1,  // check: something to report
    ExitRefused = 2,   // a usage error or a refused value
};

// What a command is handed: the tool folder as main found it, and the two
// streams. Data goes to `out`, every message to `err`.
struct CommandContext {
    Result<QString> toolFolder; // or why it could not be determined
    QTextStream &out;
    QTextStream &err;

    // "kvxconfig: " and the sentence on standard error.
    void message(const QString &sentence) const;
    // A line on standard error, as given (a usage line).
    void note(const QString &line) const;
};

// One command of the command line: it declares its options and whether it
// takes values, and the shared run() parses them, answers --help, finds the
// server folder (--folder, or the tool folder) and hands over to execute().
// Its name and usage are its entry's in the registry.
class Command
{
public:
    explicit Command(const CommandEntry &entry);
    virtual ~Command() = default;

    // `arguments` are the ones after the command's name.
    int run(const QStringList &arguments, const CommandContext &context);

protected:
    virtual QList<QCommandLineOption> options() const { return {}; }
    // Whether the command takes arguments of its own (set's KEY=VALUE).
    virtual bool takesValues() const { return false; }
    virtual int execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context) = 0;

    // Reports a usage error the way run() reports the parser's.
    int usageError(const QString &sentence, const CommandContext &context) const;

private:
    const CommandEntry &m_entry;
};
