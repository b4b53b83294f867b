#include "mass_panel.h"

#include "engine/mass_list_text.h"
#include "engine/message.h"
#include "engine/number_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace centrafix {
namespace {

constexpr Message kTitle{"Gewicht und Schwerpunkt", "Weight and balance"};
constexpr Message kName{"Name", "Name"};
constexpr Message kMass{"Masse", "Mass"};
constexpr Message kX{"x", "x"};
constexpr Message kAdd{"Hinzufügen", "Add"};
constexpr Message kRemove{"Entfernen", "Remove"};
constexpr Message kPlace{"Im Bild setzen", "Place on picture"};
constexpr Message kPlaceTip{"Der nächste Linksklick ins Bild setzt das x des gewählten Eintrags; Esc bricht ab.",
                            "The next left click on the picture sets the selected item's x; Esc ends."};
constexpr Message kAdviceCaption{"Abhilfe:", "Fix by:"};
constexpr Message kBallast{"Ballast", "Ballast"};
constexpr Message kMove{"%1 verschieben", "moving %1"};
constexpr Message kBallastCaption{"Ballast bei x:", "Ballast at x:"};
constexpr Message kBallastTip{"Leer: an der Nase oder am Heck, wo er hilft.",
                              "Empty: at the nose or the tail, wherever it helps."};
constexpr Message kNewItem{"Eintrag %1", "item %1"};

QString Text(const Message& message, int language)
{
    return QString::fromUtf8(Tr(message, language));
}

std::size_t At(int row)
{
    return static_cast<std::size_t>(row);
}

} // namespace

MassPanel::MassPanel(Changed changed, Refused refused, Place place, QWidget* parent)
    : QWidget(parent),
      m_changed(std::move(changed)),
      m_refused(std::move(refused)),
      m_place(std::move(place))
{
    setObjectName(QStringLiteral("massPanel"));
    build();
    setLanguage(m_language);
}

void MassPanel::build()
{
    m_title = new QLabel(this);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("massItems"));
    m_table->verticalHeader()->hide();
    // The settings' column is narrow at the window's first size: the table
    // keeps readable columns and the column scrolls sideways instead.
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultSectionSize(80);
    m_table->setMinimumWidth(3 * 80 + 4);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setMinimumHeight(m_table->horizontalHeader()->sizeHint().height() +
                              4 * m_table->verticalHeader()->defaultSectionSize() + 4);
    connect(m_table, &QTableWidget::cellChanged, this, [this](int row, int column) { cellEdited(row, column); });

    const auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    m_add = button("btnAddMass");
    m_remove = button("btnRemoveMass");
    m_placeButton = button("btnPlaceMass");
    connect(m_add, &QPushButton::clicked, this, [this] { addItem(); });
    connect(m_remove, &QPushButton::clicked, this, [this] { removeItem(); });
    connect(m_placeButton, &QPushButton::clicked, this, [this] {
        const int row = m_table->currentRow();
        if (row >= 0 && row < m_table->rowCount() && m_place)
            m_place(row);
    });
    connect(m_table, &QTableWidget::currentCellChanged, this, [this] {
        const bool chosen = m_table->currentRow() >= 0;
        m_remove->setEnabled(chosen);
        m_placeButton->setEnabled(chosen);
    });

    m_adviceCaption = new QLabel(this);
    m_advice = new QComboBox(this);
    m_advice->setObjectName(QStringLiteral("cmbAdvice"));
    connect(m_advice, &QComboBox::activated, this, [this] { adviceChosen(); });
    m_ballastCaption = new QLabel(this);
    m_ballastX = new QLineEdit(this);
    m_ballastX->setObjectName(QStringLiteral("txtBallastX"));
    connect(m_ballastX, &QLineEdit::editingFinished, this, [this] { ballastEdited(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addWidget(m_placeButton);
    buttons->addStretch(1);
    auto* advice = new QGridLayout;
    advice->addWidget(m_adviceCaption, 0, 0);
    advice->addWidget(m_advice, 0, 1);
    advice->addWidget(m_ballastCaption, 1, 0);
    advice->addWidget(m_ballastX, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    layout->addLayout(advice);
    showItems();
}

void MassPanel::setLanguage(int languageIndex)
{
    m_language = languageIndex;
    m_title->setText(Text(kTitle, languageIndex));
    m_table->setHorizontalHeaderLabels(
        {Text(kName, languageIndex), Text(kMass, languageIndex), Text(kX, languageIndex)});
    m_add->setText(Text(kAdd, languageIndex));
    m_remove->setText(Text(kRemove, languageIndex));
    m_placeButton->setText(Text(kPlace, languageIndex));
    m_placeButton->setToolTip(Text(kPlaceTip, languageIndex));
    m_adviceCaption->setText(Text(kAdviceCaption, languageIndex));
    m_ballastCaption->setText(Text(kBallastCaption, languageIndex));
    m_ballastX->setToolTip(Text(kBallastTip, languageIndex));
    showItems();
}

void MassPanel::setItems(const aero::MassList& items, const aero::AdviceChoice& choice,
                         const std::string& decimalSeparator, const std::string& typedSeparator)
{
    m_items = items;
    m_choice = choice;
    m_separator = decimalSeparator;
    m_typedSeparator = typedSeparator;
    showItems();
}

QString MassPanel::number(double value) const
{
    return QString::fromStdString(FormatGeneral(value, m_separator));
}

// The table, the choices and the ballast field from the list; the row the
// user is on stays chosen.
void MassPanel::showItems()
{
    const int current = m_table->currentRow();
    m_showing = true;
    {
        const QSignalBlocker quiet(m_table);
        m_table->setRowCount(static_cast<int>(m_items.size()));
        for (int row = 0; row < m_table->rowCount(); ++row) {
            const aero::MassItem& item = m_items[At(row)];
            const QString texts[] = {QString::fromStdString(item.name), number(item.mass), number(item.x)};
            for (int column = 0; column < 3; ++column) {
                QTableWidgetItem* cell = m_table->item(row, column);
                if (!cell)
                    m_table->setItem(row, column, cell = new QTableWidgetItem);
                cell->setText(texts[column]);
            }
        }
        if (current >= 0 && m_table->rowCount() > 0)
            m_table->setCurrentCell(std::min(current, m_table->rowCount() - 1), 0);
    }
    m_showing = false;
    const bool chosen = m_table->currentRow() >= 0;
    m_remove->setEnabled(chosen);
    m_placeButton->setEnabled(chosen);

    const QSignalBlocker quietAdvice(m_advice);
    m_advice->clear();
    m_advice->addItem(Text(kBallast, m_language), -1);
    for (int row = 0; row < static_cast<int>(m_items.size()); ++row)
        m_advice->addItem(QString::fromUtf8(Tr(kMove, m_language, {m_items[At(row)].name})), row);
    m_advice->setCurrentIndex(std::max(0, m_advice->findData(m_choice.moveItem)));
    m_ballastX->setText(m_choice.ballastX ? number(*m_choice.ballastX) : QString());
    m_ballastX->setEnabled(m_choice.moveItem < 0);
}

void MassPanel::take(aero::MassList items, aero::AdviceChoice choice)
{
    // An item chosen for the advice that is gone leaves ballast.
    if (choice.moveItem >= static_cast<int>(items.size()))
        choice.moveItem = -1;
    const bool changed = items != m_items || choice != m_choice;
    m_items = std::move(items);
    m_choice = choice;
    showItems();
    if (changed && m_changed)
        m_changed(m_items, m_choice);
}

void MassPanel::cellEdited(int row, int column)
{
    if (m_showing || row < 0 || row >= static_cast<int>(m_items.size()))
        return;
    const QString text = m_table->item(row, column)->text();
    aero::MassList next = m_items;
    aero::MassItem& item = next[At(row)];
    if (column == 0) {
        item.name = text.trimmed().toStdString();
    } else {
        const Result<double> value = ReadMassCell(text.toStdString(), column == 1 ? MassField::Mass : MassField::X,
                                                  item.name, m_typedSeparator);
        if (!value) {
            showItems(); // the cell shows its old value again
            m_refused(value.error());
            return;
        }
        (column == 1 ? item.mass : item.x) = *value;
    }
    take(std::move(next), m_choice);
}

void MassPanel::addItem()
{
    aero::MassList next = m_items;
    next.push_back({Tr(kNewItem, m_language, {std::to_string(next.size() + 1)}), 0.0, 0.0});
    take(std::move(next), m_choice);
    m_table->setCurrentCell(m_table->rowCount() - 1, 0);
}

void MassPanel::removeItem()
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= static_cast<int>(m_items.size()))
        return;
    aero::MassList next = m_items;
    next.erase(next.begin() + row);
    aero::AdviceChoice choice = m_choice;
    // The chosen item keeps being chosen when one before it goes.
    if (choice.moveItem == row)
        choice.moveItem = -1;
    else if (choice.moveItem > row)
        --choice.moveItem;
    take(std::move(next), choice);
}

void MassPanel::placeItem(int row, double x)
{
    if (row < 0 || row >= static_cast<int>(m_items.size()))
        return;
    aero::MassList next = m_items;
    next[At(row)].x = x;
    take(std::move(next), m_choice);
}

void MassPanel::adviceChosen()
{
    aero::AdviceChoice choice = m_choice;
    choice.moveItem = m_advice->currentData().toInt();
    take(m_items, choice);
}

// An empty field: the ballast goes where it helps.
void MassPanel::ballastEdited()
{
    aero::AdviceChoice choice = m_choice;
    const QString text = m_ballastX->text().trimmed();
    if (text.isEmpty()) {
        choice.ballastX.reset();
        take(m_items, choice);
        return;
    }
    const Result<double> x = ReadMassCell(text.toStdString(), MassField::X, Tr(kBallast, m_language), m_typedSeparator);
    if (!x) {
        showItems();
        m_refused(x.error());
        return;
    }
    choice.ballastX = *x;
    take(m_items, choice);
}

} // namespace centrafix
