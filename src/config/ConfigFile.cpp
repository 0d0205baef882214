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
    QString reason;
    if (!writeFileAtomically(backupFilePath(path), replaced.bytes, replaced.attributes, &reason)) {
        *error = QStringLiteral("%1 was not saved, so that the changes made to it by hand are kept: the backup %2 "
                                "could not be written: %3")
                     .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(backupFilePath(path)), reason);
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

TextReadResult loadconfig(const QString &path)
{
    return readTextLines(path);
}

bool keepsBackup(const FileSnapshot &replaced, const ConfigDocument &document)
{
    return replaced.exists && findHandEdits(linesOf(replaced.bytes), document).any();
}

SaveResult saveconfig(const QString &path, const ConfigDocument &document)
{
    const SnapshotResult read = readRegularFile(path);
    if (!read.ok)
        return {false, QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), read.error)};
    return saveconfig(path, document, read.file);
}

SaveResult saveconfigIfUnchanged(const QString &path, const ConfigDocument &document, const FileSnapshot &judged,
                                 bool *changed)
{
    const SnapshotResult again = readRegularFile(path);
    *changed = again.ok && (again.file.exists != judged.exists || again.file.bytes != judged.bytes);
    if (!again.ok)
        return {false, QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), again.error)};
    if (*changed)
        return {false, QString()};
    return saveconfig(path, document, again.file);
}

SaveResult saveconfig(const QString &path, const ConfigDocument &document, const FileSnapshot &replaced)
{
    QByteArray bytes;
    const QStringList &lines = document.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // A line break inside a value would give the server a line the tool never wrote.
        if (line.contains(u'\r') || line.contains(u'\n')) {
            return {false, QStringLiteral("%1 was not saved: %2 holds a line break, which would split "
                                          "its line in two.")
                               .arg(configFileName(), lineOwner(i))};
        }
        qsizetype bad = -1;
        const QByteArray encoded = encodeCodePage(line, &bad);
        if (encoded.isNull()) {
            return {false, QStringLiteral("%1 was not saved: %2 holds the character %3, which the "
                                          "Windows-1252 code page of the file cannot hold.")
                               .arg(configFileName(), lineOwner(i), describeCharacterAt(line, bad))};
        }
        bytes += encoded;
        bytes += "\r\n";
    }
    QString error;
    if (!backUpHandEdits(path, document, replaced, &error))
        return {false, error};
    const QString target = replaced.target.isEmpty() ? path : replaced.target;
    if (!writeFileAtomically(target, bytes, replaced.attributes, &error))
        return {false, QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error)};
    return {true, QString()};
}
