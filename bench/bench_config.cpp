// Prints how long the configuration core takes for a tool-written file, and
// for pathological files of 2 MB and 20 MB, whose ratio shows that reading is
// linear (near 10).

#include "config/ConfigBuilder.h"
#include "config/ConfigCommit.h"
#include "config/ConfigFile.h"
#include "config/ConfigReader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <typename Work>
double medianMilliseconds(int runs, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void writePathological(const QString &path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    const QByteArray block("ServerPasswordEnabled 1\r\nServerPassword \"x\"\r\n#show page 1: 0\r\n");
    QByteArray chunk;
    while (chunk.size() < 1 << 20)
        chunk += block;
    for (qint64 written = 0; written < bytes; written += chunk.size())
        file.write(chunk.left(qMin<qint64>(chunk.size(), bytes - written)));
}

double readMilliseconds(const QString &path, int runs)
{
    return medianMilliseconds(runs, [&] {
        const Result<TextLines> read = loadconfig(path);
        if (loadwizard(read->lines).fields.txtpwd.isEmpty())
            qFatal("nothing read");
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = configFilePath(dir.path());

    WizardFields fields = wizardDefaults();
    fields.txtpwd = QStringLiteral("secret");
    ConfigDocument written = buildwizard(fields);
    commitwizard(written, fields, {});
    if (!saveconfig(path, written).ok())
        qFatal("cannot save");

    const double cycle = medianMilliseconds(500, [&] {
        const Result<TextLines> read = loadconfig(path);
        const WizardLoad current = loadwizard(read->lines);
        ConfigDocument document = buildwizard(current.fields);
        commitwizard(document, current.fields, current.firstPage);
        if (!saveconfig(path, document).ok())
            qFatal("cannot save");
    });
    std::printf("tool-written file, read + build + commit + save: %.3f ms (median of 500)\n", cycle);

    // Below the 16 MiB the tool reads at most.
    const QString small = dir.filePath("small.conf");
    const QString large = dir.filePath("large.conf");
    writePathological(small, 1500 * 1000);
    writePathological(large, 15 * 1000 * 1000);
    const double smallMs = readMilliseconds(small, 9);
    const double largeMs = readMilliseconds(large, 5);
    std::printf("pathological 1.5 MB file, read + parse: %.1f ms (median of 9)\n", smallMs);
    std::printf("pathological 15 MB file, read + parse: %.1f ms (median of 5)\n", largeMs);
    std::printf("ratio 15 MB / 1.5 MB: %.2f (linear reading gives about 10)\n", largeMs / smallMs);

    // Past the limit the size on the open handle refuses it before any byte is read.
    const QString huge = dir.filePath("huge.conf");
    writePathological(huge, 200 * 1000 * 1000);
    const double hugeMs = medianMilliseconds(9, [&] {
        if (loadconfig(huge).ok())
            qFatal("a 200 MB file was read");
    });
    std::printf("a 200 MB file, refused: %.3f ms (median of 9)\n", hugeMs);
    return 0;
}
