#include "frozen_column_grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace centrafix {

FrozenColumnGrid::FrozenColumnGrid(QWidget* parent) : QTableWidget(parent)
{
    m_frozen = new QTableView(this);
    m_frozen->setObjectName(QStringLiteral("grdResultsFrozen"));
    m_frozen->setModel(model());
    m_frozen->setSelectionModel(selectionModel());
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_frozen->verticalHeader()->hide();
    m_frozen->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setVerticalScrollMode(ScrollPerPixel);
    m_frozen->setFrameShape(QFrame::NoFrame);
    m_frozen->setEditTriggers(NoEditTriggers);
    m_frozen->setWordWrap(false);
    viewport()->stackUnder(m_frozen);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (column == 0) {
            m_frozen->setColumnWidth(0, size);
            placeFrozenColumn();
        }
    });
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int size) { m_frozen->setRowHeight(row, size); });
    connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(model(), &QAbstractItemModel::columnsInserted, this, [this] { showFirstColumnOnly(); });
    connect(model(), &QAbstractItemModel::modelReset, this, [this] { showFirstColumnOnly(); });
    showFirstColumnOnly();
}

// The headers and the model outlive this part of the grid while its base
// class tears them down; what they report then must not reach it.
FrozenColumnGrid::~FrozenColumnGrid()
{
    disconnect(horizontalHeader(), nullptr, this, nullptr);
    disconnect(verticalHeader(), nullptr, this, nullptr);
    disconnect(model(), nullptr, this, nullptr);
}

void FrozenColumnGrid::fitColumnsToContents()
{
    resizeColumnsToContents();
    m_frozen->setColumnWidth(0, columnWidth(0));
    placeFrozenColumn();
}

void FrozenColumnGrid::showFirstColumnOnly()
{
    for (int c = 0; c < model()->columnCount(); ++c)
        m_frozen->setColumnHidden(c, c != 0);
    m_frozen->setColumnWidth(0, columnWidth(0));
    m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    m_frozen->verticalHeader()->setMinimumSectionSize(verticalHeader()->minimumSectionSize());
    placeFrozenColumn();
}

void FrozenColumnGrid::placeFrozenColumn()
{
    const int x = verticalHeader()->isVisible() ? verticalHeader()->width() : 0;
    m_frozen->setGeometry(frameWidth() + x, frameWidth(), columnWidth(0),
                          viewport()->height() + horizontalHeader()->height());
    m_frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    m_frozen->setVisible(model()->columnCount() > 0);
}

void FrozenColumnGrid::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    placeFrozenColumn();
}

void FrozenColumnGrid::updateGeometries()
{
    QTableWidget::updateGeometries();
    if (m_frozen != nullptr)
        placeFrozenColumn();
}

// Moving the cursor left must not leave the current cell under the frozen
// column.
QModelIndex FrozenColumnGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableWidget::moveCursor(cursorAction, modifiers);
    if (cursorAction == MoveLeft && current.column() > 0 &&
        visualRect(current).topLeft().x() < m_frozen->columnWidth(0)) {
        const int newValue =
            horizontalScrollBar()->value() + visualRect(current).topLeft().x() - m_frozen->columnWidth(0);
        horizontalScrollBar()->setValue(newValue);
    }
    return current;
}

void FrozenColumnGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (index.column() > 0)
        QTableWidget::scrollTo(index, hint);
}

} // namespace centrafix
