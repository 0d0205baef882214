#pragma once

#include <QByteArray>
#include <QString>

// KVXServer.exe is often the Windows program. On Linux it runs through Wine,
// which must be told apart from a native server (or a script standing in
// for one) by the file's own header.

enum class ProgramKind {
    Native,         // no Windows header: the system starts it as it is
    Windows64,      // a PE file for x86-64 (machine 0x8664)
    Windows32,      // a PE file for i386 (machine 0x14c)
    WindowsOther,   // a PE file for another processor
};

struct ProgramHeader {
    ProgramKind kind = ProgramKind::Native;
    quint16 machine = 0; // the PE machine field, for a Windows program
};

// Reads a program's first bytes: "MZ" at 0, the PE header's offset as a
// little-endian 32-bit number at 0x3C, "PE\0\0" there, then the machine
// field. Anything short of that (a truncated header, an offset past the
// bytes given) is Native.
ProgramHeader programHeaderOf(const QByteArray &start);

// How many of a program's first bytes programHeaderOf() looks at: linkers
// put the PE header within the first kilobyte, and a few more cost nothing.
constexpr qint64 programHeaderBytes = 64 * 1024;

// The server's header, read from its file; Native when it cannot be read
// (starting it then says why).
ProgramHeader programHeaderOfFile(const QString &path);
