#include "ClassicSession.h"

#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"

#include <QDir>

ClassicOpenResult openClassic(const QString &folder)
{
    ClassicOpenResult result;
    ClassicSession &session = result.session;
    session.path = configFilePath(folder);
    session.fields = classicDefaults();
    // Anything at the path but a regular file (a folder, a FIFO, a link the
    // tool does not follow) is reported instead of being replaced by defaults.
    TextReadResult read = loadconfig(session.path);
    if (!read.ok) {
        result.error = QStringLiteral("%1 could not be read: %2").arg(QDir::toNativeSeparators(session.path), read.error);
        return result;
    }
    session.fileExists = read.file.exists;
    session.file = std::move(read.file);
    session.lines = std::move(read.lines);
    session.fields = loadclassic(session.lines);
    session.firstPage = loadwizard(session.lines).firstPage;
    session.document = buildclassic(session.fields);
    result.ok = true;
    return result;
}
