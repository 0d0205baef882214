#include "MotdCommand.h"

#include "SettingTable.h"
#include "files/CodePage.h"
#include "files/FolderLock.h"
#include "files/MotdFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextStream>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

const QString setOption = QStringLiteral("set");

bool readWhole(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        *bytes = file.readAll();
    *error = file.errorString();
    return file.error() == QFileDevice::NoError;
}

// Reads standard input to its end.
bool readStandardInput(QByteArray *bytes, QString *error)
{
#ifdef Q_OS_WIN
    // A pipe whose writer has closed its end reports a broken pipe where
    // other systems report the end of the input.
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(input, buffer, sizeof buffer, &read, nullptr)) {
            const DWORD failure = GetLastError();
            if (failure == ERROR_BROKEN_PIPE)
                return true;
            *error = qt_error_string(int(failure));
            return false;
        }
        if (read == 0)
            return true;
        bytes->append(buffer, qsizetype(read));
    }
#else
    QFile input;
    if (input.open(stdin, QIODevice::ReadOnly))
        *bytes = input.readAll();
    *error = input.errorString();
    return input.error() == QFileDevice::NoError;
#endif
}

} // namespace

QList<QCommandLineOption> MotdCommand::options() const
{
    return {QCommandLineOption(setOption, QString(), QStringLiteral("FILE"))};
}

int MotdCommand::execute(const QCommandLineParser &parser, const QString &folder, const CommandContext &context)
{
    const QString path = QDir(folder).filePath(motdFileName());
    if (!parser.isSet(setOption))
        return print(path, context);
    if (parser.values(setOption).size() > 1)
        return usageError(QStringLiteral("--set is given more than once"), context);
    return replace(parser.value(setOption), path, context);
}

int MotdCommand::print(const QString &path, const CommandContext &context)
{
    // The MOTD editor starts empty when there is no motd.txt.
    QString text;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        const Result<MotdText> read = loadmotd(path);
        if (!read) {
            context.message(read.error());
            return ExitFileError;
        }
        text = read->text;
    }
    // Every line ends in LF; an empty text prints nothing.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // On a terminal an escape sequence in the text would act on it; into a
    // file or a pipe the text goes byte for byte, so that motd --set takes
    // it back unchanged.
    if (standardOutputIsTerminal())
        text = shownText(text);
    if (!text.isEmpty())
        context.out << text << '\n';
    context.out.flush();
    return ExitDone;
}

int MotdCommand::replace(const QString &source, const QString &path, const CommandContext &context)
{
    const bool standardInput = source == QLatin1String("-");
    const QString sourceName = standardInput ? QStringLiteral("standard input") : QDir::toNativeSeparators(source);
    QByteArray bytes;
    QString reason;
    if (!(standardInput ? readStandardInput(&bytes, &reason) : readWhole(source, &bytes, &reason))) {
        context.message(QStringLiteral("%1 could not be read: %2").arg(sourceName, reason));
        return ExitFileError;
    }

    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        context.message(QStringLiteral("%1 is not UTF-8 text; motd.txt was not changed.").arg(sourceName));
        return ExitRefused;
    }
    // CR LF and a lone CR become the one break the text box knows; the save
    // writes each as CR LF.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));

    qsizetype bad = -1;
    if (encodeCodePage(text, &bad).isNull()) {
        context.message(QStringLiteral("the message of the day holds %1, which the Windows-1252 code page of %2 "
                                       "cannot hold; motd.txt was not changed.")
                            .arg(describeCharacterAt(text, bad), motdFileName()));
        return ExitRefused;
    }
    FolderLock lock(QFileInfo(path).absolutePath());
    if (!lock.acquire()) {
        context.message(lock.error());
        return ExitFileError;
    }
    const Result<void> saved = savemotd(path, text);
    if (!saved) {
        context.message(saved.error());
        return ExitFileError;
    }
    return ExitDone;
}
