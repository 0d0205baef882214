#pragma once

#include "config/ConfigDocument.h"
#include "config/ConfigFields.h"
#include "files/RegularFile.h"

#include <QString>
#include <QStringList>

// kvxserver.conf as the classic editor opens it: the lines read, the fields
// its reader sets from them (the map rule running in file order), the first
// page's choices the wizard's reader takes from the same lines, and the
// document built from those fields. Without a file: the classic editor's
// defaults and the wizard's first-page defaults.
struct ClassicSession {
    QString path;
    bool fileExists = false;
    FileSnapshot file; // the bytes the lines came from
    QStringList lines;
    ClassicFields fields;
    FirstPageChoices firstPage;
    ConfigDocument document;
};

Result<ClassicSession> openClassic(const QString &folder);
