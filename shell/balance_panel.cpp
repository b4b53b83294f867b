#include "balance_panel.h"

#include "engine/balance_fields.h"
#include "engine/field_captions.h"
#include "engine/number_text.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <tuple>

namespace centrafix {
namespace {

constexpr aero::SurfaceRole kRoles[] = {aero::SurfaceRole::Wing, aero::SurfaceRole::Tail, aero::SurfaceRole::Canard,
                                        aero::SurfaceRole::Fuselage, aero::SurfaceRole::Other};

constexpr Message kColourColumn{"Farbe", "Color"};
constexpr Message kMarginTo{"bis", "to"};

std::size_t At(int i)
{
    return static_cast<std::size_t>(i);
}

QString Caption(const Message& caption, int languageIndex)
{
    return QString::fromUtf8(Tr(caption, languageIndex));
}

// A caption as a column title: without its colon.
QString Title(const Message& caption, int languageIndex)
{
    QString title = Caption(caption, languageIndex);
    if (title.endsWith(u':'))
        title.chop(1);
    return title;
}

QLineEdit* NamedField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

BalancePanel::BalancePanel(Changed changed, Refused refused, QWidget* parent)
    : QWidget(parent),
      m_changed(std::move(changed)),
      m_refused(std::move(refused))
{
    setObjectName(QStringLiteral("balancePanel"));
    buildFields();
    showSettings();
}

void BalancePanel::buildFields()
{
    m_surfaces = new QTableWidget(kObjectCount, 3, this);
    m_surfaces->setObjectName(QStringLiteral("balanceSurfaces"));
    m_surfaces->verticalHeader()->hide();
    m_surfaces->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_surfaces->horizontalHeader()->setStretchLastSection(true);
    m_surfaces->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_surfaces->setSelectionMode(QAbstractItemView::NoSelection);
    for (int i = 1; i <= kObjectCount; ++i) {
        m_surfaces->setItem(i - 1, 0, new QTableWidgetItem);
        auto* role = new QComboBox(m_surfaces);
        role->setObjectName(QStringLiteral("balanceRole%1").arg(i));
        for (const aero::SurfaceRole r : kRoles)
            role->addItem(QString(), static_cast<int>(r));
        m_surfaces->setCellWidget(i - 1, 1, role);
        m_roles[At(i)] = role;
        connect(role, &QComboBox::activated, this, [this, i] { roleChosen(i); });
        auto* height = new QLineEdit(m_surfaces);
        height->setObjectName(QStringLiteral("balanceHeight%1").arg(i));
        height->setFrame(false);
        m_surfaces->setCellWidget(i - 1, 2, height);
        m_heights[At(i)] = height;
        connect(height, &QLineEdit::editingFinished, this, [this, i] { heightEdited(i); });
    }

    m_marginCaption = new QLabel(this);
    m_marginLow = NamedField("txtMarginLow", this);
    m_marginHigh = NamedField("txtMarginHigh", this);
    m_etaCaption = new QLabel(this);
    m_eta = NamedField("txtTailEfficiency", this);
    m_cgCaption = new QLabel(this);
    m_cg = NamedField("txtBalanceCg", this);
    for (QLineEdit* margin : {m_marginLow, m_marginHigh})
        connect(margin, &QLineEdit::editingFinished, this, [this] { marginsEdited(); });
    connect(m_eta, &QLineEdit::editingFinished, this, [this] { etaEdited(); });
    connect(m_cg, &QLineEdit::editingFinished, this, [this] { cgEdited(); });

    m_results = new QPlainTextEdit(this);
    m_results->setObjectName(QStringLiteral("txtBalance"));
    m_results->setReadOnly(true);
    m_results->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* fields = new QGridLayout;
    fields->addWidget(m_marginCaption, 0, 0);
    fields->addWidget(m_marginLow, 0, 1);
    fields->addWidget(m_marginHigh, 0, 2);
    fields->addWidget(m_etaCaption, 1, 0);
    fields->addWidget(m_eta, 1, 1);
    fields->addWidget(m_cgCaption, 2, 0);
    fields->addWidget(m_cg, 2, 1);

    // The results where the eye goes first, the settings beside them in a
    // scrolled column: the report's place is small at the window's first size.
    auto* settings = new QWidget;
    auto* settingsLayout = new QVBoxLayout(settings);
    m_settingsLayout = settingsLayout;
    settingsLayout->setContentsMargins(0, 0, 0, 0);
    m_surfaces->setMinimumHeight(m_surfaces->horizontalHeader()->sizeHint().height() +
                                 kObjectCount * m_surfaces->verticalHeader()->defaultSectionSize() + 4);
    settingsLayout->addWidget(m_surfaces);
    settingsLayout->addLayout(fields);
    settingsLayout->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(settings);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setChildrenCollapsible(false);
    split->addWidget(m_results);
    split->addWidget(scroll);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setSizes({3000, 2000});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
}

void BalancePanel::addSection(QWidget* section)
{
    // Before the stretch that keeps the column at its top.
    m_settingsLayout->insertWidget(m_settingsLayout->count() - 1, section);
}

void BalancePanel::setLanguage(int languageIndex, const ColorObjectTable& objects)
{
    m_language = languageIndex;
    m_surfaces->setHorizontalHeaderLabels({Caption(kColourColumn, languageIndex), Title(caption::Role, languageIndex),
                                           Title(caption::Height, languageIndex)});
    for (int i = 1; i <= kObjectCount; ++i) {
        m_surfaces->item(i - 1, 0)->setText(QString::fromStdString(objects[At(i)].Name));
        for (int r = 0; r < m_roles[At(i)]->count(); ++r)
            m_roles[At(i)]->setItemText(r, QString::fromUtf8(Tr(RoleName(kRoles[r]), languageIndex)));
    }
    m_marginCaption->setText(Caption(caption::StaticMargin, languageIndex));
    m_marginHigh->setToolTip(Caption(kMarginTo, languageIndex));
    m_etaCaption->setText(Caption(caption::TailEfficiency, languageIndex));
    m_cgCaption->setText(Caption(caption::CgPosition, languageIndex));
}

void BalancePanel::setSettings(const aero::BalanceSettings& settings, const std::string& decimalSeparator)
{
    m_settings = settings;
    m_separator = decimalSeparator;
    showSettings();
}

QString BalancePanel::number(double value) const
{
    return QString::fromStdString(FormatGeneral(value, m_separator));
}

void BalancePanel::showSettings()
{
    for (int i = 1; i <= kObjectCount; ++i) {
        QComboBox* role = m_roles[At(i)];
        role->setCurrentIndex(role->findData(static_cast<int>(m_settings.roles[At(i)])));
        m_heights[At(i)]->setText(number(m_settings.heights[At(i)]));
    }
    m_marginLow->setText(number(m_settings.marginLow));
    m_marginHigh->setText(number(m_settings.marginHigh));
    m_eta->setText(number(m_settings.tailEfficiency));
    m_cg->setText(m_settings.typedCgX ? number(*m_settings.typedCgX) : QString());
}

void BalancePanel::setResults(const QString& text, bool outOfDate)
{
    if (m_results->toPlainText() != text)
        m_results->setPlainText(text);
    QPalette palette = m_results->palette();
    palette.setColor(QPalette::Text, outOfDate ? palette.color(QPalette::Disabled, QPalette::Text)
                                               : palette.color(QPalette::Active, QPalette::WindowText));
    m_results->setPalette(palette);
}

void BalancePanel::take(const aero::BalanceSettings& next)
{
    const bool changed = next != m_settings;
    m_settings = next;
    showSettings();
    if (changed && m_changed)
        m_changed(m_settings);
}

void BalancePanel::roleChosen(int i)
{
    aero::BalanceSettings next = m_settings;
    next.roles[At(i)] = static_cast<aero::SurfaceRole>(m_roles[At(i)]->currentData().toInt());
    take(next);
}

// A refused field shows its value again before the message: the message box
// would otherwise end the editing a second time.
void BalancePanel::heightEdited(int i)
{
    const Result<double> height = ReadHeight(m_heights[At(i)]->text().toStdString(), m_separator);
    if (!height) {
        showSettings();
        m_refused(height.error());
        return;
    }
    aero::BalanceSettings next = m_settings;
    next.heights[At(i)] = *height;
    take(next);
}

void BalancePanel::marginsEdited()
{
    const Result<std::pair<double, double>> margins =
        ReadStaticMargins(m_marginLow->text().toStdString(), m_marginHigh->text().toStdString(), m_separator);
    if (!margins) {
        showSettings();
        m_refused(margins.error());
        return;
    }
    aero::BalanceSettings next = m_settings;
    std::tie(next.marginLow, next.marginHigh) = *margins;
    take(next);
}

void BalancePanel::etaEdited()
{
    const Result<double> eta = ReadTailEfficiency(m_eta->text().toStdString(), m_separator);
    if (!eta) {
        showSettings();
        m_refused(eta.error());
        return;
    }
    aero::BalanceSettings next = m_settings;
    next.tailEfficiency = *eta;
    take(next);
}

// An empty field: no typed C.G.
void BalancePanel::cgEdited()
{
    aero::BalanceSettings next = m_settings;
    if (m_cg->text().trimmed().isEmpty()) {
        next.typedCgX.reset();
        take(next);
        return;
    }
    const Result<double> cg = ReadCgPosition(m_cg->text().toStdString(), m_separator);
    if (!cg) {
        showSettings();
        m_refused(cg.error());
        return;
    }
    next.typedCgX = *cg;
    take(next);
}

} // namespace centrafix
