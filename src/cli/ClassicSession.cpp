#include "ClassicSession.h"

#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"

#include <QDir>
#include <QFileInfo>

ClassicOpenResult openClassic(const QString &folder)
{
    ClassicOpenResult result;
    ClassicSession &session = result.session;
    session.path = configFilePath(folder);
    session.fields = classicDefaults();
    // Anything at the path counts as the file, so that a folder or an
    // unreadable file is reported instead of being replaced by defaults.
    session.fileExists = QFileInfo::exists(session.path) || QFileInfo(session.path).isSymLink();
    if (session.fileExists) {
        const TextReadResult read = loadconfig(session.path);
        if (!read.ok) {
            result.error = QStringLiteral("%1 could not be read: %2")
                               .arg(QDir::toNativeSeparators(session.path), read.error);
            return result;
        }
        session.lines = read.lines;
    }
    applyAssignments(session.fields, loadclassic(session.lines));
    WizardFields wizard = wizardDefaults();
    applyAssignments(wizard, session.firstPage, loadwizard(session.lines));
    session.document = buildclassic(session.fields);
    result.ok = true;
    return result;
}
