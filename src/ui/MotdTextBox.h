#pragma once

#include <QString>

class QPlainTextEdit;

// Both MOTD text boxes hold motd.txt's text with "\n" line breaks; the file
// and the file functions use CR LF.

// The box's text as motd.txt holds it: lines joined by CR LF.
QString motdTextOf(const QPlainTextEdit *box);
// Shows text whose lines are joined by CR LF.
void showMotdText(QPlainTextEdit *box, const QString &fileText);
