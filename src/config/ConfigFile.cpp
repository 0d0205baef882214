#include "ConfigFile.h"

#include "ConfigTemplate.h"

#include <QDir>

namespace {

QString lineOwner(qsizetype index)
{
    const QString setting = settingOfLine(int(index));
    return setting.isEmpty() ? QStringLiteral("line %1").arg(index + 1)
                             : QStringLiteral("the setting %1").arg(setting);
}

} // namespace

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

SaveResult saveconfig(const QString &path, const ConfigDocument &document)
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
            return {false, QStringLiteral("%1 was not saved: %2 holds the character \"%3\", which the "
                                          "Windows-1252 code page of the file cannot hold.")
                               .arg(configFileName(), lineOwner(i),
                                    line.mid(bad, line.at(bad).isHighSurrogate() ? 2 : 1))};
        }
        bytes += encoded;
        bytes += "\r\n";
    }
    QString error;
    if (!writeFileAtomically(path, bytes, &error))
        return {false, QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), error)};
    return {true, QString()};
}
