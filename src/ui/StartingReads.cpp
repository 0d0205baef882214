#include "StartingReads.h"

#include "config/ConfigFile.h"
#include "files/MotdFile.h"
#include "ui/Dialogs.h"

#include <QFileInfo>

namespace {

template<typename Result>
bool readSucceeded(QWidget *owner, const ToolContext &context, const QString &fileName, const Result &read,
                   const QString &whatFollows)
{
    if (read.ok)
        return true;
    if (context.files->firstReadFailure(context.path(fileName)))
        MessageBox::show(owner, MessageBox::Icon::Exclamation, QStringLiteral("Server config Error"),
                         QStringLiteral("%1 could not be read: %2\r\n%3")
                             .arg(context.displayPath(fileName), read.error, whatFollows));
    return false;
}

bool rememberAndFind(const ToolContext &context, const QString &fileName)
{
    const QString path = context.path(fileName);
    context.files->remember(path);
    return QFileInfo::exists(path);
}

} // namespace

std::optional<QStringList> readConfigAtStart(QWidget *owner, const ToolContext &context, const QString &whatFollows)
{
    if (!rememberAndFind(context, configFileName()))
        return std::nullopt;
    const TextReadResult read = loadconfig(context.path(configFileName()));
    if (!readSucceeded(owner, context, configFileName(), read, whatFollows))
        return std::nullopt;
    return read.lines;
}

std::optional<QString> readMotdAtStart(QWidget *owner, const ToolContext &context, const QString &whatFollows)
{
    if (!rememberAndFind(context, motdFileName()))
        return std::nullopt;
    const MotdReadResult read = loadmotd(context.path(motdFileName()));
    if (!readSucceeded(owner, context, motdFileName(), read, whatFollows))
        return std::nullopt;
    return read.text;
}
