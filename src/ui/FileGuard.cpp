#include "FileGuard.h"

#include "Dialogs.h"

bool mayReplace(QWidget *parent, const ToolContext &context, const QString &fileName, const QString &shown)
{
    if (!context.files->changedBehindTheTool(context.path(fileName)))
        return true;
    return MessageBox::ask(parent, QStringLiteral("Server configuration tool"),
                           QStringLiteral("%1 was changed by another program since the tool read it. Replace it "
                                          "with the %2 shown here?")
                               .arg(fileName, shown));
}
