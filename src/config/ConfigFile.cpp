#include "ConfigFile.h"

#include "ConfigTemplate.h"
#include "HandEdits.h"
#include "files/CodePage.h"

#include <QDir>

namespace {

QString lineOwner(qsizetype index)
{
    const QString setting = settingOfLine(int(index));
    return setting.isEmpty() ? QStringLiteral("line %1").arg(index + 1)
                             : QStringLiteral("the setting %1").arg(setting);
}

// Keeps the file being replaced in its backup when it holds hand edits;
// false with a sentence for the operator when that cannot be done.
bool backUpHandEdits(const QString &path, const ConfigDocument &document, const FileSnapshot &replaced, QString *error)
{
    if (!keepsBackup(replaced, document))
        return true;
    // A password in the file must not become readable to more users in its backup.
    const Result<void> backup = writeFileAtomically(backupFilePath(path), replaced.bytes, replaced.attributes);
    if (!backup) {
        *error = QStringLiteral("%1 was not saved, so that the changes made to it by hand are kept: the backup %2 "
                                "could not be written: %3")
                     .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(backupFilePath(path)), backup.reason());
        return false;
    }
    return true;
}

} // namespace

QString backupFilePath(const QString &configPath)
{
    return configPath + QLatin1String(".bak");
}

QString configFileName()
{
    return QStringLiteral("kvxserver.conf");
}

QString configFilePath(const QString &toolFolder)
{
    return QDir(toolFolder).filePath(configFileName());
}

Result<TextLines> loadconfig(const QString &path)
{
    return readTextLines(path);
}

bool keepsBackup(const FileSnapshot &replaced, const ConfigDocument &document)
{
    return replaced.exists && findHandEdits(linesOf(replaced.bytes), document).any();
}

Result<void> saveconfig(const QString &path, const ConfigDocument &document)
{
    const Result<FileSnapshot> read = readRegularFile(path);
    if (!read)
        return writeFailure(path, read.reason());
    return saveconfig(path, document, read.value());
}

Result<void> saveconfigIfUnchanged(const QString &path, const ConfigDocument &document, const FileSnapshot &judged,
                                   bool *changed)
{
    const Result<FileSnapshot> again = readRegularFile(path);
    *changed = again && (again->exists != judged.exists || again->bytes != judged.bytes);
    if (!again)
        return writeFailure(path, again.reason());
    if (*changed)
        return Failure(QStringLiteral("%1 was changed by another program while kvxconfig was changing it; nothing "
                                      "was written. Run the command again.")
                           .arg(QDir::toNativeSeparators(path)));
    return saveconfig(path, document, again.value());
}

Result<void> saveconfig(const QString &path, const ConfigDocument &document, const FileSnapshot &replaced)
{
    QByteArray bytes;
    const QStringList &lines = document.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // A line break inside a value would give the server a line the tool never wrote.
        if (line.contains(u'\r') || line.contains(u'\n')) {
            return Failure(QStringLiteral("%1 was not saved: %2 holds a line break, which would split "
                                          "its line in two.")
                               .arg(configFileName(), lineOwner(i)));
        }
        qsizetype bad = -1;
        const QByteArray encoded = encodeCodePage(line, &bad);
        if (encoded.isNull()) {
            return Failure(QStringLiteral("%1 was not saved: %2 holds the character %3, which the "
                                          "Windows-1252 code page of the file cannot hold.")
                               .arg(configFileName(), lineOwner(i), describeCharacterAt(line, bad)));
        }
        bytes += encoded;
        bytes += "\r\n";
    }
    QString error;
    if (!backUpHandEdits(path, document, replaced, &error))
        return Failure(error);
    const QString target = replaced.target.isEmpty() ? path : replaced.target;
    const Result<void> written = writeFileAtomically(target, bytes, replaced.attributes);
    if (!written)
        return writeFailure(path, written.reason());
    return {};
}
