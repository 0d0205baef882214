#include "FileGuard.h"

#include "Dialogs.h"
#include "files/FolderLock.h"

std::optional<FileSnapshot> replaceable(QWidget *parent, const ToolContext &context, const QString &fileName,
                                        const QString &shown, QString *failure)
{
    const QString path = context.path(fileName);
    if (const QString refused = context.files->refusal(path); !refused.isEmpty()) {
        *failure = QStringLiteral("the tool could not read it (%1), so it does not replace it").arg(refused);
        return std::nullopt;
    }
    Result<FileSnapshot> now = readRegularFile(path);
    if (!now) {
        *failure = now.reason();
        return std::nullopt;
    }
    if (context.files->changedBehindTheTool(path, now.value())
        && !MessageBox::ask(parent, MessageTitle::tool,
                            QStringLiteral("%1 was changed by another program since the tool read it. Replace it "
                                           "with the %2 shown here?")
                                .arg(fileName, shown)))
        return std::nullopt;
    return std::move(now).value();
}

bool lockForSave(QWidget *parent, FolderLock &lock)
{
    if (lock.acquire())
        return true;
    QString sentence = lock.error();
    sentence[0] = sentence[0].toUpper();
    MessageBox::show(parent, MessageBox::Icon::Critical, MessageTitle::error, sentence);
    return false;
}
