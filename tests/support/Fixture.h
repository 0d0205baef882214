#pragma once

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QString>

// The classic editor's template differs from the wizard's in five lines
// (index from 0): its own comments and its defaults.
inline const QMap<int, QByteArray> classicTemplateLines = {
    {2, "# Purpose: Defines the name in which the Server will be known as.  Useful for ASE support and the upcoming Listing Server"},
    {47, "#     1 - Vice City Deathmatch 2 - Vice City Stunt "},
    {48, "#     3 - Grand Theft Auto 3 : Portland 4 - Grand Theft Auto 3 : Shore Side Vale "},
    {50, "GameMap 1"},
    {169, "AdminPort "},
};

// The default file of a front end ("default-wizard.conf", typed out from the
// template apart from the code; "default-classic.conf", that file with the
// classic lines above) with some of its CR LF lines replaced: `changes` maps a
// line's index, from 0, to its new text. The independent expectation of a
// saved file.
inline QByteArray fixture(const char *name, const QMap<int, QByteArray> &changes = {})
{
    QFile file(QStringLiteral(KVX_FIXTURES "/default-wizard.conf"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no fixture %s", name);
    QList<QByteArray> lines = file.readAll().split('\n');
    QMap<int, QByteArray> replaced = qstrcmp(name, "default-classic.conf") == 0 ? classicTemplateLines
                                                                               : QMap<int, QByteArray>();
    replaced.insert(changes);
    for (auto change = replaced.begin(); change != replaced.end(); ++change)
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
