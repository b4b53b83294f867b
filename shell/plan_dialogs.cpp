#include "plan_dialogs.h"

#include "plan_tool_texts.h"

#include "engine/color_object.h"
#include "engine/eval_number.h"
#include "engine/scale_from_line.h"
#include "engine/string_table.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

namespace centrafix {
namespace {

QString Text(const Message& message, int languageIndex)
{
    return QString::fromUtf8(Tr(message, languageIndex));
}

// A form with OK and Cancel under it, and a line for what is wrong.
QFormLayout* Frame(QDialog& dialog, QLabel*& problem)
{
    auto* layout = new QVBoxLayout(&dialog);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    problem = new QLabel(&dialog);
    problem->setObjectName(QStringLiteral("lblProblem"));
    problem->setWordWrap(true);
    layout->addWidget(problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return form;
}

QLineEdit* LineField(QDialog& dialog, const char* name, const QString& text)
{
    auto* field = new QLineEdit(text, &dialog);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

StraightenDialog::StraightenDialog(const QString& unit, int languageIndex, std::string localeSeparator, QWidget* parent)
    : QDialog(parent),
      m_languageIndex(languageIndex),
      m_separator(std::move(localeSeparator))
{
    setObjectName(QStringLiteral("StraightenDialog"));
    setWindowTitle(Text(kStraightenTitle, languageIndex));
    QFormLayout* form = Frame(*this, m_problem);
    const std::string shownUnit = unit.isEmpty() ? std::string(Tr(kLengthUnits, languageIndex)) : unit.toStdString();
    m_width = LineField(*this, "txtWidth", {});
    m_height = LineField(*this, "txtHeight", {});
    form->addRow(QString::fromStdString(Tr(kRectangleWidth, languageIndex, {shownUnit})), m_width);
    form->addRow(QString::fromStdString(Tr(kRectangleHeight, languageIndex, {shownUnit})), m_height);
    // The fields come after the buttons: the width is where typing starts.
    m_width->setFocus();
}

void StraightenDialog::accept()
{
    const Result<double> width = ReadRealLength(m_width->text().toStdString(), m_separator);
    const Result<double> height = ReadRealLength(m_height->text().toStdString(), m_separator);
    for (const Result<double>* side : {&width, &height}) {
        if (!*side) {
            m_problem->setText(QString::fromStdString(ErrorText(side->error(), m_languageIndex)));
            return;
        }
    }
    m_size = QSizeF(*width, *height);
    QDialog::accept();
}

MapColourDialog::MapColourDialog(int target, double tolerance, int languageIndex, std::string localeSeparator,
                                 QWidget* parent)
    : QDialog(parent),
      m_languageIndex(languageIndex),
      m_separator(std::move(localeSeparator))
{
    setObjectName(QStringLiteral("MapColourDialog"));
    setWindowTitle(Text(kMapTitle, languageIndex));
    QFormLayout* form = Frame(*this, m_problem);
    m_target = new QComboBox(this);
    m_target->setObjectName(QStringLiteral("cbTarget"));
    m_target->addItem(Text(kWhiteName, languageIndex), 0);
    for (int i = 1; i <= kObjectCount; ++i)
        m_target->addItem(Text(ColorNameMessage(i), languageIndex), i);
    m_target->setCurrentIndex(std::clamp(target, 0, kObjectCount));
    m_toleranceField = LineField(*this, "txtTolerance", QString::number(tolerance));
    form->addRow(Text(kMapTarget, languageIndex), m_target);
    form->addRow(Text(kMapToleranceLabel, languageIndex), m_toleranceField);
    m_target->setFocus();
}

int MapColourDialog::target() const
{
    return m_target->currentData().toInt();
}

void MapColourDialog::accept()
{
    const Result<double> tolerance = ReadRealLength(m_toleranceField->text().toStdString(), m_separator);
    if (!tolerance || *tolerance > 766.0) {
        m_problem->setText(
            QString::fromStdString(Tr(kNotAPositiveNumber, m_languageIndex, {m_toleranceField->text().toStdString()})));
        return;
    }
    m_tolerance = *tolerance;
    QDialog::accept();
}

FillSettingsDialog::FillSettingsDialog(const FillSettings& settings, int languageIndex, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FillSettingsDialog"));
    setWindowTitle(Text(kFillSettingsTitle, languageIndex));
    QLabel* unused = nullptr;
    QFormLayout* form = Frame(*this, unused);
    m_threshold = new QSpinBox(this);
    m_threshold->setObjectName(QStringLiteral("spinThreshold"));
    m_threshold->setRange(1, 765);
    m_threshold->setValue(settings.lineThreshold);
    m_gap = new QSpinBox(this);
    m_gap->setObjectName(QStringLiteral("spinGap"));
    m_gap->setRange(0, 50);
    m_gap->setValue(settings.gap);
    form->addRow(Text(kLineThresholdLabel, languageIndex), m_threshold);
    form->addRow(Text(kFillGapLabel, languageIndex), m_gap);
}

FillSettings FillSettingsDialog::settings() const
{
    return FillSettings{m_threshold->value(), m_gap->value()};
}

} // namespace centrafix
