#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

// The white banner across the top of both front ends (`Picture1`): our logo at
// its left, the fixed title `lbltitle` and the section title `lblsection`.
// White and dark text whatever the theme: the page title must stay readable.
class Banner final : public QWidget
{
    Q_OBJECT
public:
    explicit Banner(QWidget *parent = nullptr);

    QLabel *title() const { return m_title; }
    QLabel *section() const { return m_section; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_logo; // made once per screen scale, drawn at every repaint
    QLabel *m_title;
    QLabel *m_section;
};

// The logo's size in pixels: 160 x 57.
constexpr QSize bannerLogoSize()
{
    return {160, 57};
}
// The logo, painted in code at `devicePixelRatio` device pixels per pixel, so
// it is sharp on scaled screens.
QPixmap bannerLogo(qreal devicePixelRatio);
