#include "StartingReads.h"

#include "config/ConfigFile.h"
#include "files/MotdFile.h"
#include "ui/Dialogs.h"


namespace {

// Remembers what was read, so that a later save can tell a change made
// behind the tool's back; a file that could not be read is told once and
// never replaced in this run.
template<typename Result>
bool readSucceeded(QWidget *owner, const ToolContext &context, const QString &fileName, const Result &read,
                   const QString &whatFollows)
{
    const QString path = context.path(fileName);
    if (read.ok) {
        context.files->remember(path, read.file);
        return read.file.exists;
    }
    context.files->refuse(path, read.error);
    if (context.files->firstReadFailure(path))
        MessageBox::show(owner, MessageBox::Icon::Exclamation, QStringLiteral("Server config Error"),
                         QStringLiteral("%1 could not be read: %2\r\n%3")
                             .arg(context.displayPath(fileName), read.error, whatFollows));
    return false;
}

} // namespace

std::optional<QStringList> readConfigAtStart(QWidget *owner, const ToolContext &context, const QString &whatFollows)
{
    const TextReadResult read = loadconfig(context.path(configFileName()));
    if (!readSucceeded(owner, context, configFileName(), read, whatFollows))
        return std::nullopt;
    return read.lines;
}

std::optional<QString> readMotdAtStart(QWidget *owner, const ToolContext &context, const QString &whatFollows)
{
    const MotdReadResult read = loadmotd(context.path(motdFileName()));
    if (!readSucceeded(owner, context, motdFileName(), read, whatFollows))
        return std::nullopt;
    return read.text;
}
