#pragma once

#include "aero/balance.h"
#include "engine/color_object.h"
#include "engine/error.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;
class QVBoxLayout;

namespace centrafix {

// The Balance panel: the role and the height of every colour, the static
// margins, the tail efficiency and a typed C.G. as the user sets them, and
// what the last run made of them. A field is read when the user leaves it;
// one that is refused says why (through `refused`) and shows the value it
// had again, so nothing changes. Every accepted change goes to `changed`
// with the whole settings.
class BalancePanel : public QWidget {
    Q_OBJECT

public:
    using Changed = std::function<void(const aero::BalanceSettings&)>;
    using Refused = std::function<void(const Error&)>;

    BalancePanel(Changed changed, Refused refused, QWidget* parent = nullptr);

    // Captions, colour names and role names in the language; the fields keep
    // what they show.
    void setLanguage(int languageIndex, const ColorObjectTable& objects);
    // The fields show `settings`, numbers with `decimalSeparator`.
    void setSettings(const aero::BalanceSettings& settings, const std::string& decimalSeparator);
    const aero::BalanceSettings& settings() const { return m_settings; }
    // The results as text; out of date: shown greyed, as the grid shows them.
    void setResults(const QString& text, bool outOfDate);
    // A part of the settings' column below the fields (the weight and
    // balance's items), scrolled with them.
    void addSection(QWidget* section);

private:
    void buildFields();
    void showSettings();
    void roleChosen(int i);
    void heightEdited(int i);
    void marginsEdited();
    void etaEdited();
    void cgEdited();
    void take(const aero::BalanceSettings& next);
    QString number(double value) const;

    Changed m_changed;
    Refused m_refused;
    aero::BalanceSettings m_settings;
    std::string m_separator = ".";
    int m_language = 2;

    QTableWidget* m_surfaces = nullptr; // per colour: its name, role and height
    std::array<QComboBox*, 8> m_roles{};
    std::array<QLineEdit*, 8> m_heights{};
    QLabel* m_marginCaption = nullptr;
    QLineEdit* m_marginLow = nullptr;
    QLineEdit* m_marginHigh = nullptr;
    QLabel* m_etaCaption = nullptr;
    QLineEdit* m_eta = nullptr;
    QLabel* m_cgCaption = nullptr;
    QLineEdit* m_cg = nullptr;
    QPlainTextEdit* m_results = nullptr;
    QVBoxLayout* m_settingsLayout = nullptr;
};

} // namespace centrafix
