#pragma once

#include <QTableWidget>

class QTableView;

namespace centrafix {

// The results grid, whose first column (the colour's name) stays where it is
// when the grid scrolls sideways: a second view of the same cells showing
// only that column lies over the grid's left edge and scrolls with it up and
// down. Both share the selection, so a copy selects as the grid does.
class FrozenColumnGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit FrozenColumnGrid(QWidget* parent = nullptr);
    ~FrozenColumnGrid() override;

    QTableView* frozenColumn() const { return m_frozen; }
    // Every column as wide as its contents, the frozen one with them at once:
    // the header does not always say so before the next layout pass.
    void fitColumnsToContents();

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

private:
    void showFirstColumnOnly();
    void placeFrozenColumn();

    QTableView* m_frozen = nullptr;
};

} // namespace centrafix
