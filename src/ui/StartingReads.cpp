#include "StartingReads.h"

#include "config/ConfigFile.h"
#include "files/MotdFile.h"
#include "ui/Dialogs.h"


namespace {

// Remembers what was read, so that a later save can tell a change made
// behind the tool's back; a file that could not be read is told once and
// never replaced in this run.
template<typename Content>
bool readSucceeded(QWidget *owner, const ToolContext &context, const QString &fileName, const Result<Content> &read,
                   const QString &whatFollows)
{
    const QString path = context.path(fileName);
    if (read) {
        context.files->remember(path, read->file);
        return read->file.exists;
    }
    context.files->refuse(path, read.reason());
    if (context.files->firstReadFailure(path))
        MessageBox::show(owner, MessageBox::Icon::Exclamation, MessageTitle::error,
                         read.error() + QStringLiteral("\r\n") + whatFollows);
    return false;
}

} // namespace

std::optional<QStringList> readConfigAtStart(QWidget *owner, const ToolContext &context, const QString &whatFollows)
{
    const Result<TextLines> read = loadconfig(context.path(configFileName()));
    if (!readSucceeded(owner, context, configFileName(), read, whatFollows))
        return std::nullopt;
    return read->lines;
}

std::optional<QString> readMotdAtStart(QWidget *owner, const ToolContext &context, const QString &whatFollows)
{
    const Result<MotdText> read = loadmotd(context.path(motdFileName()));
    if (!readSucceeded(owner, context, motdFileName(), read, whatFollows))
        return std::nullopt;
    return read->text;
}
