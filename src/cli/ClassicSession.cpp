#include "ClassicSession.h"

#include "config/ConfigBuilder.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"

#include <QDir>

Result<ClassicSession> openClassic(const QString &folder)
{
    ClassicSession session;
    session.path = configFilePath(folder);
    session.fields = classicDefaults();
    // Anything at the path but a regular file (a folder, a FIFO, a link the
    // tool does not follow) is reported instead of being replaced by defaults.
    Result<TextLines> read = loadconfig(session.path);
    if (!read)
        return read.failure();
    session.fileExists = read->file.exists;
    session.file = std::move(read->file);
    session.lines = std::move(read->lines);
    session.fields = loadclassic(session.lines);
    session.firstPage = loadwizard(session.lines).firstPage;
    session.document = buildclassic(session.fields);
    return session;
}
