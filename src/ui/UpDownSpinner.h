#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of small arrow buttons, one above the other, that only report their
// clicks; the window decides what a step does to which field. Named after the
// spinner ("UDhour"), the buttons are "<name>Up" and "<name>Down".
class UpDownSpinner final : public QWidget
{
    Q_OBJECT
public:
    UpDownSpinner(const QString &name, QWidget *parent);

    // Each click replaces the field's text by its number stepped by one,
    // wrapping -1 to `maximum` and `maximum` + 1 to 0.
    void stepField(QLineEdit *field, int maximum);

    // Names the pair and its arrows for screen readers after what they step,
    // for example "Start hour arrows", "Start hour up" and "Start hour down".
    void nameArrowsAfter(const QString &subject);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    void stepped(int step); // +1 for the up arrow, -1 for the down arrow

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QToolButton *m_up;
    QToolButton *m_down;
};
