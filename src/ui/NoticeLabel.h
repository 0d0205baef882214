#pragma once

#include <QLabel>

// A small notice in a quieter colour than the window's text that stays
// readable in every theme: its colour lies between the window's text and
// background colours, as far towards the background as a contrast of 4.5:1
// allows, and follows the palette when the theme changes.
class NoticeLabel final : public QLabel
{
    Q_OBJECT
public:
    NoticeLabel(const QString &text, QWidget *parent);

protected:
    void changeEvent(QEvent *event) override;

private:
    void followPalette();
    bool m_following = false;
};
