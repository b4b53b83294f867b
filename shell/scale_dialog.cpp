#include "scale_dialog.h"

#include "engine/message.h"
#include "engine/number_text.h"
#include "engine/scale_from_line.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace centrafix {
namespace {

constexpr Message kTitle{"Maßstab aus einer Linie", "Scale from a line"};
constexpr Message kLineIs{"Die Linie ist %1 Pixel lang. Wie lang ist sie in Wirklichkeit?",
                          "The line is %1 pixels long. How long is it in reality?"};
constexpr Message kLengthCaption{"&Länge:", "&Length:"};
constexpr Message kUnitCaption{"&Einheit (optional):", "&Unit (optional):"};
constexpr Message kLengthTip{"Eine Zahl oder ein Ausdruck wie 2*1250", "A number or an expression such as 2*1250"};
constexpr Message kUnitTip{"Erscheint im Bericht, z. B. mm", "Shown in the report, e.g. mm"};
constexpr Message kScaleWillBe{"Maßstab: %1 je Pixel", "Scale: %1 per pixel"};

std::string Std(const QString& text)
{
    return text.toStdString();
}

} // namespace

ScaleDialog::ScaleDialog(double pixels, const QString& unit, int languageIndex, std::string localeSeparator,
                         QWidget* parent)
    : QDialog(parent),
      m_pixels(pixels),
      m_languageIndex(languageIndex),
      m_separator(std::move(localeSeparator))
{
    const auto tr = [languageIndex](const Message& m) { return QString::fromUtf8(Tr(m, languageIndex)); };
    setObjectName(QStringLiteral("ScaleDialog"));
    setWindowTitle(tr(kTitle));
    auto* layout = new QVBoxLayout(this);
    auto* question =
        new QLabel(QString::fromStdString(Tr(kLineIs, languageIndex, {FormatFixed(pixels, 2, m_separator)})), this);
    question->setWordWrap(true);
    layout->addWidget(question);

    auto* form = new QFormLayout;
    m_lengthField = new QLineEdit(this);
    m_lengthField->setObjectName(QStringLiteral("txtLength"));
    m_lengthField->setToolTip(tr(kLengthTip));
    m_unitField = new QLineEdit(unit, this);
    m_unitField->setObjectName(QStringLiteral("txtUnit"));
    m_unitField->setToolTip(tr(kUnitTip));
    form->addRow(tr(kLengthCaption), m_lengthField);
    form->addRow(tr(kUnitCaption), m_unitField);
    layout->addLayout(form);

    // The factor the field will get, while the length is typed; what is
    // wrong with the length, once OK was pressed on it.
    m_scale = new QLabel(this);
    m_scale->setObjectName(QStringLiteral("lblScale"));
    layout->addWidget(m_scale);
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblProblem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00000"));
    m_problem->hide();
    layout->addWidget(m_problem);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ScaleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScaleDialog::reject);
    layout->addWidget(buttons);
    connect(m_lengthField, &QLineEdit::textChanged, this, [this] { showScale(); });
    connect(m_unitField, &QLineEdit::textChanged, this, [this] { showScale(); });
    m_lengthField->setFocus();
}

QString ScaleDialog::unit() const
{
    return m_unitField->text().trimmed();
}

void ScaleDialog::showScale()
{
    m_problem->hide();
    const Result<double> length = ReadRealLength(Std(m_lengthField->text()), m_separator);
    if (!length) {
        m_scale->clear();
        return;
    }
    QString scale = QString::fromStdString(ScaleTextFromLine(*length, m_pixels, m_separator));
    if (!unit().isEmpty())
        scale += u' ' + unit();
    m_scale->setText(QString::fromStdString(Tr(kScaleWillBe, m_languageIndex, {Std(scale)})));
}

void ScaleDialog::accept()
{
    const Result<double> length = ReadRealLength(Std(m_lengthField->text()), m_separator);
    if (!length) {
        m_problem->setText(QString::fromStdString(ErrorText(length.error(), m_languageIndex)));
        m_problem->show();
        m_lengthField->setFocus();
        return;
    }
    m_length = *length;
    QDialog::accept();
}

} // namespace centrafix
