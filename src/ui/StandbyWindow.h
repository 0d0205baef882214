#pragma once

#include <QWidget>

// `frmstandby`: the small captionless window shown while the server starts.
class StandbyWindow final : public QWidget
{
    Q_OBJECT
public:
    explicit StandbyWindow(QWidget *parent = nullptr);
};
