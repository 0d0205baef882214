#include "WindowsProgram.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

ProgramHeader programHeaderOf(const QByteArray &start)
{
    constexpr qsizetype offsetField = 0x3C;
    if (start.size() < offsetField + 4 || !start.startsWith("MZ"))
        return {};
    const quint32 offset = qFromLittleEndian<quint32>(start.constData() + offsetField);
    // "PE\0\0" and the two bytes of the machine field must lie in what was read.
    if (offset > quint32(start.size()) || start.size() - qsizetype(offset) < 6)
        return {};
    if (start.mid(offset, 4) != QByteArray("PE\0\0", 4))
        return {};
    const quint16 machine = qFromLittleEndian<quint16>(start.constData() + offset + 4);
    switch (machine) {
    case 0x8664:
        return {ProgramKind::Windows64, machine};
    case 0x14c:
        return {ProgramKind::Windows32, machine};
    default:
        return {ProgramKind::WindowsOther, machine};
    }
}

ProgramHeader programHeaderOfFile(const QString &path)
{
    // A FIFO or a device would block or never end; starting it says why.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return programHeaderOf(file.read(programHeaderBytes));
}
