#include "plan_page_dialog.h"

#include "engine/message.h"
#include "engine/number_text.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace centrafix {
namespace {

constexpr Message kTitle{"Plan öffnen", "Open a plan"};
constexpr Message kIntro{
    "%1 ist eine Zeichnung; sie wird als Bild gezeichnet. Der Maßstab kommt weiter aus einer "
    "bekannten Länge, nicht aus der Papiergröße.",
    "%1 is a drawing; it is made into a picture. The scale still comes from a known length, not "
    "from the paper size."};
constexpr Message kPageCaption{"&Seite:", "&Page:"};
constexpr Message kDpiCaption{"&Auflösung:", "&Resolution:"};
constexpr Message kDpiSuffix{" dpi", " dpi"};
constexpr Message kPageLabel{"Seite %1\n%2 × %3 mm", "Page %1\n%2 × %3 mm"};
constexpr Message kPixels{"Ergibt %1 × %2 Pixel (%3 Megapixel).", "Gives %1 × %2 pixels (%3 megapixels)."};

QString Mm(double points)
{
    return QString::number(points / 72.0 * 25.4, 'f', 0);
}

} // namespace

PlanPageDialog::PlanPageDialog(const QString& path, const PlanDocumentInfo& info, const std::vector<QImage>& thumbnails,
                               int languageIndex, std::string decimalSeparator, QWidget* parent)
    : QDialog(parent),
      m_path(path),
      m_info(info),
      m_languageIndex(languageIndex),
      m_separator(std::move(decimalSeparator))
{
    const auto tr = [languageIndex](const Message& m) { return QString::fromUtf8(Tr(m, languageIndex)); };
    setObjectName(QStringLiteral("PlanPageDialog"));
    setWindowTitle(tr(kTitle));
    auto* layout = new QVBoxLayout(this);
    auto* intro =
        new QLabel(QString::fromStdString(Tr(kIntro, languageIndex, {QFileInfo(path).fileName().toStdString()})), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    // The page chooser only where there is a choice.
    m_pages = new QListWidget(this);
    m_pages->setObjectName(QStringLiteral("lstPages"));
    m_pages->setViewMode(QListView::IconMode);
    m_pages->setIconSize(QSize(96, 96));
    m_pages->setMovement(QListView::Static);
    m_pages->setResizeMode(QListView::Adjust);
    m_pages->setWrapping(true);
    m_pages->setMinimumSize(360, 170);
    for (std::size_t i = 0; i < info.pageSizes.size(); ++i) {
        const QSizeF size = info.pageSizes[i];
        auto* item =
            new QListWidgetItem(QString::fromStdString(Tr(kPageLabel, languageIndex,
                                                          {std::to_string(i + 1), Mm(size.width()).toStdString(),
                                                           Mm(size.height()).toStdString()})),
                                m_pages);
        if (i < thumbnails.size() && !thumbnails[i].isNull())
            item->setIcon(QIcon(QPixmap::fromImage(thumbnails[i])));
    }
    m_pages->setCurrentRow(defaults::kPlanPage - 1);
    if (info.pageSizes.size() > 1)
        form->addRow(tr(kPageCaption), m_pages);
    else
        m_pages->hide();

    m_dpi = new QSpinBox(this);
    m_dpi->setObjectName(QStringLiteral("spnDpi"));
    m_dpi->setRange(1, static_cast<int>(kMaxPlanDpi));
    m_dpi->setValue(static_cast<int>(defaults::kPlanDpi));
    m_dpi->setSuffix(tr(kDpiSuffix));
    form->addRow(tr(kDpiCaption), m_dpi);
    layout->addLayout(form);

    m_pixels = new QLabel(this);
    m_pixels->setObjectName(QStringLiteral("lblPixels"));
    layout->addWidget(m_pixels);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->hide();
    layout->addWidget(m_problem);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PlanPageDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PlanPageDialog::reject);
    layout->addWidget(buttons);
    connect(m_pages, &QListWidget::currentRowChanged, this, [this] { showPixels(); });
    connect(m_dpi, &QSpinBox::valueChanged, this, [this] { showPixels(); });
    showPixels();
    m_dpi->setFocus();
}

PlanPageChoice PlanPageDialog::choice() const
{
    return PlanPageChoice{std::max(m_pages->currentRow(), 0) + 1, static_cast<double>(m_dpi->value())};
}

void PlanPageDialog::showPixels()
{
    const PlanPageChoice chosen = choice();
    const QSize pixels = PlanPagePixels(m_info.pageSizes.at(static_cast<std::size_t>(chosen.page - 1)), chosen.dpi);
    const double megapixels = double(pixels.width()) * pixels.height() / 1e6;
    m_pixels->setText(QString::fromStdString(Tr(
        kPixels, m_languageIndex,
        {std::to_string(pixels.width()), std::to_string(pixels.height()), FormatFixed(megapixels, 1, m_separator)})));
    m_problem->hide();
}

void PlanPageDialog::accept()
{
    const PlanPageChoice chosen = choice();
    if (const std::optional<Error> problem = PlanPageSizeProblem(
            m_path, chosen.page, m_info.pageSizes.at(static_cast<std::size_t>(chosen.page - 1)), chosen.dpi)) {
        m_problem->setText(QString::fromStdString(ErrorText(*problem, m_languageIndex)));
        m_problem->show();
        return;
    }
    QDialog::accept();
}

} // namespace centrafix
