#pragma once

#include <QComboBox>

namespace shift {

// A drop-down list that is not editable and reports only the user's choices.
//
// OnChange is emitted once for every choice the user makes of an entry other than the one
// shown: by mouse in the pop-up list, by the wheel, by an arrow key, Home/End/Page keys, or by
// a typed letter (the first entry after the current one that begins with it). Choosing the
// entry already shown emits nothing, and neither does setting ItemIndex from the program, so a
// handler that corrects the list's selection does not run again.
//
// Example: items "All teams", "A team", ..., "E team" at ItemIndex 0; the user types "c" ->
// ItemIndex 3 and one OnChange; setItemIndex(1) -> ItemIndex 1 and no OnChange.
class TComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TComboBox(QWidget *parent = nullptr);

    // The shown entry, 0-based; -1 while the list is empty.
    int ItemIndex() const { return currentIndex(); }
    void setItemIndex(int index);

signals:
    void OnChange();

private:
    void userActivated(int index);

    int m_reportedIndex = -1;
};

} // namespace shift
