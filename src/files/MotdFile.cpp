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
        return {false, QString(), read.error};
    return {true, read.lines.join(QLatin1String("\r\n")), QString()};
}

SaveResult savemotd(const QString &path, const QString &text)
{
    qsizetype bad = -1;
    const QByteArray bytes = encodeCodePage(text + QLatin1String("\r\n"), &bad);
    if (bytes.isNull()) {
        return {false, QStringLiteral("The message of the day holds the character %1, which the "
                                      "Windows-1252 code page of %2 cannot hold.")
                           .arg(describeCharacterAt(text, bad), motdFileName())};
    }
    QString error;
    if (!writeFileAtomically(path, bytes, &error))
        return {false, error};
    return {true, QString()};
}
