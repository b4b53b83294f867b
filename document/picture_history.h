#pragma once

#include "engine/message.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <deque>
#include <vector>

namespace centrafix {

// Which picture the working copy is: its name, its path, whether it came
// from the clipboard. Undoing an Open or a Paste gives the previous one back.
struct PictureIdentity {
    QString name;
    QString path;
    bool pasted = false;

    friend bool operator==(const PictureIdentity&, const PictureIdentity&) = default;
};

// Undo and redo of the changes to the working picture, bit for bit.
//
// A change that keeps the picture's size (a fill, a mapping, a flip, a
// clean-up) is kept as the exclusive-or of before and after over the
// rectangle that changed, compressed: one buffer undoes and redoes it, and a
// fill in a 100-megapixel scan keeps little more than its region. A change
// of size or of picture (straighten, crop, open, paste) keeps the other
// picture whole, compressed; flat colours and line drawings compress many
// times over.
//
// The memory held is bounded: at most kMaxSteps steps and `budgetBytes`
// bytes of compressed data; the oldest steps go first. A step that alone is
// larger than the budget is not kept, and nothing before it can be undone.
class PictureHistory {
public:
    static constexpr int kMaxSteps = 100;
    static constexpr std::int64_t kDefaultBudgetBytes = std::int64_t{512} << 20;

    explicit PictureHistory(std::int64_t budgetBytes = kDefaultBudgetBytes) : m_budget(budgetBytes) {}

    // The working picture went from `before` to `after` by `what` (its name
    // in the Edit menu: "Undo Fill"). Whatever could be redone is gone.
    // Throws bad_alloc when there is no memory to keep it (the history is
    // then as it was before the call).
    void record(const QImage& before, const PictureIdentity& beforeIdentity, const QImage& after,
                const PictureIdentity& afterIdentity, const Message& what);

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < static_cast<int>(m_steps.size()); }
    const Message* undoName() const { return canUndo() ? m_steps[static_cast<std::size_t>(m_done - 1)].what : nullptr; }
    const Message* redoName() const { return canRedo() ? m_steps[static_cast<std::size_t>(m_done)].what : nullptr; }

    // The picture before the last change (after the next one), given the
    // working picture as it is now; its identity goes into `identity`.
    // Only when canUndo() (canRedo()). Throws bad_alloc when there is no
    // memory; the history is then unchanged.
    QImage undo(const QImage& current, PictureIdentity& identity);
    QImage redo(const QImage& current, PictureIdentity& identity);

    // The compressed bytes held, and the steps that can be undone and redone.
    std::int64_t bytesHeld() const { return m_bytes; }
    int steps() const { return static_cast<int>(m_steps.size()); }
    void clear();

private:
    struct Step {
        const Message* what = nullptr;
        bool whole = false; // the other picture whole, not a difference
        QRect rect;         // the difference's rectangle
        QSize size;         // the whole picture's size
        QImage::Format format = QImage::Format_RGB32;
        std::vector<QByteArray> data; // compressed, in chunks
        std::int64_t bytes = 0;
        PictureIdentity identity; // whole: the other picture's identity
    };

    QImage swap(Step& step, const QImage& current, PictureIdentity& identity);
    void trim();

    std::deque<Step> m_steps;
    int m_done = 0;
    std::int64_t m_bytes = 0;
    std::int64_t m_budget;
};

} // namespace centrafix
