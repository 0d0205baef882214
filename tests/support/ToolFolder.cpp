#include "ToolFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

QString ToolFolder::path(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void ToolFolder::write(const QString &name, const QByteArray &bytes, bool executable) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path(name)));
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

QByteArray ToolFolder::read(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool ToolFolder::exists(const QString &name) const
{
    return QFileInfo::exists(path(name));
}

void ToolFolder::writeStandInServer(const QString &name, const QString &markerName) const
{
#ifdef KVX_STAND_IN_SERVER
    // A program of its own, which marks "server-started" beside itself.
    Q_UNUSED(markerName);
    QFile::remove(path(name));
    if (!QFile::copy(QStringLiteral(KVX_STAND_IN_SERVER), path(name)))
        qFatal("cannot copy the stand-in server to %s", qPrintable(path(name)));
#else
    write(name, "#!/bin/sh\necho started > \"$(dirname \"$0\")/" + markerName.toUtf8() + "\"\n", true);
#endif
}
