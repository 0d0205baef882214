#pragma once

#include <QGroupBox>

// A frame as the layout was drawn for: an etched line around the contents,
// running through the middle of the caption, so that the controls placed
// below the caption lie inside it. Without a caption it is a plain etched box.
class ClassicFrame final : public QGroupBox
{
    Q_OBJECT
public:
    ClassicFrame(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
