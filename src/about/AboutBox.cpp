#include "AboutBox.h"

// Placeholder until the About box lands.
AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
}

QUrl AboutBox::projectUrl()
{
    return QUrl(QStringLiteral("https://kvx-tools.example.org/"));
}

void showAboutBox(QWidget *owner)
{
    AboutBox box(owner);
    box.exec();
}
