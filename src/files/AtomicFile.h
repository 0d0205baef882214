#pragma once

#include <QByteArray>
#include <QString>

struct SaveResult {
    bool ok = false;
    QString error; // a sentence for the operator when !ok
};

// Writes `bytes` atomically: through a temporary file in the same folder that
// is renamed over `path`. On failure the old file is untouched and `error`
// holds the platform's reason.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error);
