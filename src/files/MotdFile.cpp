#include "MotdFile.h"

#include "AtomicFile.h"
#include "CodePage.h"
#include "TextFile.h"

QString motdFileName()
{
    return QStringLiteral("motd.txt");
}

MotdReadResult loadmotd(const QString &path)
{
    TextReadResult read = readTextLines(path);
    if (!read.ok)
        return {false, QString(), read.error, {}};
    return {true, read.lines.join(QLatin1String("\r\n")), QString(), std::move(read.file)};
}

SaveResult savemotd(const QString &path, const QString &text)
{
    const SnapshotResult read = readRegularFile(path);
    if (!read.ok)
        return {false, read.error};
    return savemotd(path, text, read.file);
}

SaveResult savemotd(const QString &path, const QString &text, const FileSnapshot &replaced)
{
    qsizetype bad = -1;
    const QByteArray bytes = encodeCodePage(text + QLatin1String("\r\n"), &bad);
    if (bytes.isNull()) {
        return {false, QStringLiteral("The message of the day holds the character %1, which the "
                                      "Windows-1252 code page of %2 cannot hold.")
                           .arg(describeCharacterAt(text, bad), motdFileName())};
    }
    QString error;
    if (!writeFileAtomically(replaced.target.isEmpty() ? path : replaced.target, bytes, replaced.attributes, &error))
        return {false, error};
    return {true, QString()};
}
