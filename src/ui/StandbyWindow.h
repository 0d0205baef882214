#pragma once

#include <QWidget>

// `frmstandby`: the small captionless window shown while the server starts.
class StandbyWindow final : public QWidget
{
    Q_OBJECT
public:
    // A window of its own, closed and deleted with `parent`.
    explicit StandbyWindow(QWidget *parent = nullptr);

    // Centres the window on the screen and returns once it is painted there.
    void showPainted();
};
