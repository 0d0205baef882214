#pragma once

#include <QDialog>
#include <QUrl>

// `frmAbout`: the tool's name, version, disclaimer and a button that opens the
// project's web page.
class AboutBox final : public QDialog
{
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);

    static QUrl projectUrl();

private:
    // `Command1`: hands the address to the desktop's browser; the box stays.
    void openProjectPage();
};

// Shows the About box modally over `owner`.
void showAboutBox(QWidget *owner);
