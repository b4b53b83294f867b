#pragma once

#include "picture/edits/paint_fill.h"

#include <QDialog>
#include <QSizeF>
#include <QString>

#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace centrafix {

// The questions the plan tools ask. Each control has a name (txtWidth,
// txtHeight, cbTarget, txtTolerance, spinThreshold, spinGap, lblProblem) so
// that tests answer them as a user would. A dialog closes with OK only on
// values it can take; otherwise it says what is wrong and stays open.

// The known width and height of the rectangle whose corners were clicked.
class StraightenDialog : public QDialog {
    Q_OBJECT

public:
    StraightenDialog(const QString& unit, int languageIndex, std::string localeSeparator, QWidget* parent = nullptr);
    QSizeF size() const { return m_size; }
    void accept() override;

private:
    int m_languageIndex;
    std::string m_separator;
    QSizeF m_size;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    QLabel* m_problem = nullptr;
};

// The colour a picked colour becomes (0 white, 1 to 7), and the tolerance.
class MapColourDialog : public QDialog {
    Q_OBJECT

public:
    MapColourDialog(int target, double tolerance, int languageIndex, std::string localeSeparator,
                    QWidget* parent = nullptr);
    int target() const;
    double tolerance() const { return m_tolerance; }
    void accept() override;

private:
    int m_languageIndex;
    std::string m_separator;
    double m_tolerance = 0.0;
    QComboBox* m_target = nullptr;
    QLineEdit* m_toleranceField = nullptr;
    QLabel* m_problem = nullptr;
};

// How a fill tells lines from paper.
class FillSettingsDialog : public QDialog {
    Q_OBJECT

public:
    FillSettingsDialog(const FillSettings& settings, int languageIndex, QWidget* parent = nullptr);
    FillSettings settings() const;

private:
    QSpinBox* m_threshold = nullptr;
    QSpinBox* m_gap = nullptr;
};

} // namespace centrafix
