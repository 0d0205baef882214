#pragma once

#include <QString>

// How value lines are written: the key, one space and the value, exactly as
// the field holds it.
inline QString bareLine(const QString &key, const QString &value)
{
    return key + QLatin1Char(' ') + value;
}

inline QString quotedLine(const QString &key, const QString &value)
{
    return key + QLatin1String(" \"") + value + QLatin1Char('"');
}

inline QString switchLine(const QString &key, bool on)
{
    return key + (on ? QLatin1String(" 1") : QLatin1String(" 0"));
}
