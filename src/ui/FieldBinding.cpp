#include "FieldBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

bool applyAssignment(QWidget *root, const FieldAssignment &assignment)
{
    QWidget *control = root->findChild<QWidget *>(assignment.field);
    if (!control)
        return false;
    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(assignment.value);
    } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
        check->setCheckState(assignment.value == QLatin1String("1") ? Qt::Checked : Qt::Unchecked);
    } else if (auto *option = qobject_cast<QRadioButton *>(control)) {
        option->setChecked(true);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setEditText(assignment.value);
    } else {
        return false;
    }
    return true;
}
