#pragma once

class QAbstractButton;
class QAction;

namespace centrafix {

// Makes `button` a second face of `action`: it shows the action's text (with
// its & mnemonic), tooltip and enabled state, and a checkable action's check,
// and pressing it is triggering the action. A command is thereby defined once,
// on its action, and the menu item, the key and the button cannot drift
// apart. The button keeps its own look and object name. An action to be
// checked is made checkable before it gets its button.
void ShowAction(QAbstractButton* button, QAction* action);

} // namespace centrafix
