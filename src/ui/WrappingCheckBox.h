#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto further lines when its box is too
// narrow for one, as the desktop the layout was drawn for does with a
// caption box tall enough for two lines. Its size hint is the room the
// wrapped caption needs at the box's current width.
class WrappingCheckBox final : public QCheckBox
{
    Q_OBJECT
public:
    WrappingCheckBox(const QString &text, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect captionRect() const;
};
