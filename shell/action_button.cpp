#include "action_button.h"

#include <QAbstractButton>
#include <QAction>

namespace centrafix {

void ShowAction(QAbstractButton* button, QAction* action)
{
    const auto follow = [button, action] {
        button->setText(action->text());
        button->setToolTip(action->toolTip());
        button->setEnabled(action->isEnabled());
        button->setVisible(action->isVisible());
        button->setCheckable(action->isCheckable());
        if (action->isCheckable())
            button->setChecked(action->isChecked());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    if (action->isCheckable()) {
        // Both ways, so that a check set on either (a click, a key, the
        // program itself) is the action's; equal values end the round trip.
        QObject::connect(action, &QAction::toggled, button, &QAbstractButton::setChecked);
        QObject::connect(button, &QAbstractButton::toggled, action, &QAction::setChecked);
    } else {
        QObject::connect(button, &QAbstractButton::clicked, action, &QAction::trigger);
    }
}

} // namespace centrafix
