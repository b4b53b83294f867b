#pragma once

#include "aero/mass_items.h"
#include "engine/error.h"

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace centrafix {

// The weight and balance's part of the Balance panel: the items the
// aircraft carries (name, mass, x) with Add and Remove, a button that lets
// the next click on the picture set the selected item's x, and what the
// advice may change (ballast, at an x typed or where it helps most, or one
// of the items). A cell is read when it is edited; a refused one shows its
// old value again and says why (through `refused`). Every accepted change
// goes to `changed` with the whole list and choice.
class MassPanel : public QWidget {
    Q_OBJECT

public:
    using Changed = std::function<void(const aero::MassList&, const aero::AdviceChoice&)>;
    using Refused = std::function<void(const Error&)>;
    using Place = std::function<void(int row)>;

    MassPanel(Changed changed, Refused refused, Place place, QWidget* parent = nullptr);

    void setLanguage(int languageIndex);
    // The table and the choice show `items` and `choice`, numbers with
    // `decimalSeparator`; typed numbers are read with `typedSeparator`.
    void setItems(const aero::MassList& items, const aero::AdviceChoice& choice, const std::string& decimalSeparator,
                  const std::string& typedSeparator);
    // The x of item `row`, placed on the picture.
    void placeItem(int row, double x);
    const aero::MassList& items() const { return m_items; }
    const aero::AdviceChoice& choice() const { return m_choice; }

private:
    void build();
    void showItems();
    void cellEdited(int row, int column);
    void addItem();
    void removeItem();
    void adviceChosen();
    void ballastEdited();
    void take(aero::MassList items, aero::AdviceChoice choice);
    QString number(double value) const;

    Changed m_changed;
    Refused m_refused;
    Place m_place;
    aero::MassList m_items;
    aero::AdviceChoice m_choice;
    std::string m_separator = ".";
    std::string m_typedSeparator = ".";
    int m_language = 2;
    bool m_showing = false; // the table is being filled: its edits are not the user's

    QLabel* m_title = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_placeButton = nullptr;
    QLabel* m_adviceCaption = nullptr;
    QComboBox* m_advice = nullptr;
    QLabel* m_ballastCaption = nullptr;
    QLineEdit* m_ballastX = nullptr;
};

} // namespace centrafix
