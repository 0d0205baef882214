#pragma once

#include <QProcessEnvironment>
#include <QString>

// The windows need a display. On a server reached over SSH there is often
// none, and the toolkit would end the process with a message about
// reinstalling the application; the operator is pointed to the command line
// and to ssh -X instead.

// The sentence for an operator without a display.
QString noDisplayHint();

// The sentence for a display that is named but cannot be reached.
QString unreachableDisplayHint();

// Whether the environment names a display (DISPLAY or WAYLAND_DISPLAY) or a
// platform plugin (QT_QPA_PLATFORM), empty values counting as unset. Always
// true where windows need no such variable (Windows, macOS).
bool displayNamed(const QProcessEnvironment &environment);

// While it lives, a fatal message (a named display that cannot be reached)
// is replaced by unreachableDisplayHint(), and the process ends with status
// 1 before the toolkit aborts it.
class DisplayHintOnFatal final
{
public:
    DisplayHintOnFatal();
    ~DisplayHintOnFatal();
    DisplayHintOnFatal(const DisplayHintOnFatal &) = delete;
    DisplayHintOnFatal &operator=(const DisplayHintOnFatal &) = delete;
};
