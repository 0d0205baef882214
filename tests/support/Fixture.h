#pragma once

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>

// A file of tests/fixtures (typed out from the template, apart from the code)
// with some of its CR LF lines replaced: `changes` maps a line's index, from
// 0, to its new text. The independent expectation of a saved file.
inline QByteArray fixture(const char *name, const QMap<int, QByteArray> &changes = {})
{
    QFile file(QStringLiteral(KVX_FIXTURES "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", name);
    QList<QByteArray> lines = file.readAll().split('\n');
    for (auto change = changes.begin(); change != changes.end(); ++change)
        lines[change.key()] = change.value() + '\r';
    return lines.join('\n');
}

// What a commit of the untouched defaults changes in each front end's built
// file: the two switch lines the template writes as 1 and the defaults clear.
inline QMap<int, QByteArray> committedWizard(QMap<int, QByteArray> more = {})
{
    more.insert(162, more.value(162, "AdminPlus 0"));
    return more;
}

inline QMap<int, QByteArray> committedClassic(QMap<int, QByteArray> more = {})
{
    more.insert(77, more.value(77, "MOTDEnabled 0"));
    return committedWizard(more);
}
