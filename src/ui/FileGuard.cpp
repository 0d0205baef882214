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
    SnapshotResult now = readRegularFile(path);
    if (!now.ok) {
        *failure = now.error;
        return std::nullopt;
    }
    if (context.files->changedBehindTheTool(path, now.file)
        && !MessageBox::ask(parent, QStringLiteral("Server configuration tool"),
                            QStringLiteral("%1 was changed by another program since the tool read it. Replace it "
                                           "with the %2 shown here?")
                                .arg(fileName, shown)))
        return std::nullopt;
    return std::move(now.file);
}

bool lockForSave(QWidget *parent, FolderLock &lock, const QString &title)
{
    if (lock.acquire())
        return true;
    QString sentence = lock.error();
    sentence[0] = sentence[0].toUpper();
    MessageBox::show(parent, MessageBox::Icon::Critical, title, sentence);
    return false;
}
