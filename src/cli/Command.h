#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

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
    QString toolFolder;      // empty when it could not be determined
    QString toolFolderError; // why, then
    QTextStream &out;
    QTextStream &err;

    // "kvxconfig: " and the sentence on standard error.
    void message(const QString &sentence) const;
    // A line on standard error, as given (a usage line).
    void note(const QString &line) const;
};

// One command of the command line: it declares its options and whether it
// takes values, and the shared run() parses them, finds the server folder
// (--folder, or the tool folder) and hands over to execute().
class Command
{
public:
    Command(QString name, QString synopsis);
    virtual ~Command() = default;

    const QString &name() const { return m_name; }
    // The line the usage text shows: "show [--json]".
    const QString &synopsis() const { return m_synopsis; }

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
    QString m_name;
    QString m_synopsis;
};
