#pragma once

#include <QDialog>
#include <QString>

#include <string>

class QLabel;
class QLineEdit;

namespace centrafix {

// Asks how long a drawn line is in reality, and optionally what the unit is
// called. It closes with OK only on a length the scale can be made from
// (a number or expression above zero, in either decimal convention the locale
// allows); otherwise it says what is wrong beneath the field and stays open.
//
// The controls have names (txtLength, txtUnit, lblProblem, lblScale) so that
// tests can answer the dialog as a user would.
class ScaleDialog : public QDialog {
    Q_OBJECT

public:
    ScaleDialog(double pixels, const QString& unit, int languageIndex, std::string localeSeparator,
                QWidget* parent = nullptr);

    // The accepted length and unit (trimmed; empty: none given).
    double length() const { return m_length; }
    QString unit() const;

    void accept() override;

private:
    void showScale();

    double m_pixels;
    int m_languageIndex;
    std::string m_separator;
    double m_length = 0.0;
    QLineEdit* m_lengthField = nullptr;
    QLineEdit* m_unitField = nullptr;
    QLabel* m_problem = nullptr;
    QLabel* m_scale = nullptr;
};

} // namespace centrafix
