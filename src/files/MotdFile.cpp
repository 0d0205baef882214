#include "MotdFile.h"

#include "AtomicFile.h"
#include "CodePage.h"
#include "TextFile.h"

QString motdFileName()
{
    return QStringLiteral("motd.txt");
}

Result<MotdText> loadmotd(const QString &path)
{
    Result<TextLines> read = readTextLines(path);
    if (!read)
        return read.failure();
    return MotdText{read->lines.join(QLatin1String("\r\n")), std::move(read->file)};
}

Result<void> savemotd(const QString &path, const QString &text)
{
    const Result<FileSnapshot> read = readRegularFile(path);
    if (!read)
        return writeFailure(path, read.reason());
    return savemotd(path, text, read.value());
}

Result<void> savemotd(const QString &path, const QString &text, const FileSnapshot &replaced)
{
    qsizetype bad = -1;
    const QByteArray bytes = encodeCodePage(text + QLatin1String("\r\n"), &bad);
    if (bytes.isNull()) {
        return Failure(QStringLiteral("The message of the day holds the character %1, which the "
                                      "Windows-1252 code page of %2 cannot hold.")
                           .arg(describeCharacterAt(text, bad), motdFileName()));
    }
    // Named by the path the operator knows, not the end of its links.
    const Result<void> written =
        writeFileAtomically(replaced.target.isEmpty() ? path : replaced.target, bytes, replaced.attributes);
    if (!written)
        return writeFailure(path, written.reason());
    return {};
}
