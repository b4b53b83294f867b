#pragma once

#include "picture/formats/plan_document.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QSpinBox;

namespace centrafix {

// Asks at what resolution a PDF or SVG plan is to be drawn and, for a PDF of
// several pages, which page, from small pictures of them. It shows the size
// in pixels the choice gives, and closes with OK only on a page that can be
// held whole; otherwise it says why beneath, with a resolution that fits.
//
// The controls have names (lstPages, spnDpi, lblPixels, lblProblem) so that
// tests can answer the dialog as a user would.
class PlanPageDialog : public QDialog {
    Q_OBJECT

public:
    PlanPageDialog(const QString& path, const PlanDocumentInfo& info, const std::vector<QImage>& thumbnails,
                   int languageIndex, std::string decimalSeparator, QWidget* parent = nullptr);

    PlanPageChoice choice() const;

    void accept() override;

private:
    void showPixels();

    QString m_path;
    PlanDocumentInfo m_info;
    int m_languageIndex;
    std::string m_separator;
    QListWidget* m_pages = nullptr;
    QSpinBox* m_dpi = nullptr;
    QLabel* m_pixels = nullptr;
    QLabel* m_problem = nullptr;
};

} // namespace centrafix
