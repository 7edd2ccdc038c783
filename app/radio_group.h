#pragma once

#include <QFrame>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QLabel;
class QRadioButton;

namespace shift {

// A framed group of radio buttons, one per item, stacked evenly below the group's title, which
// stands on the frame's top line. The group takes one place in the tab order, its selected
// item's.
//
// OnClick is emitted when the user changes the selected item: by clicking another item, by an
// arrow key that moves the selection within the group, or by an item's Toggle action from
// assistive technology. Clicking the item already selected emits nothing, and neither does
// setItemIndex.
//
// Example: items "Calender", "Normal" at ItemIndex 1; the user clicks "Calender" -> ItemIndex 0
// and one OnClick; a second click on it -> nothing.
class TRadioGroup : public QFrame {
    Q_OBJECT
public:
    TRadioGroup(const QString &title, const QStringList &items, QWidget *parent = nullptr);

    // The selected item, 0-based; -1 when none is selected.
    int ItemIndex() const;
    void setItemIndex(int index);

    // The radio button of item `index` (0-based, below the item count).
    QRadioButton *button(int index) const;
    int itemCount() const { return static_cast<int>(m_buttons.size()); }

    QString title() const;

signals:
    void OnClick();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void userClicked(int index);
    void updateTabStop();
    void placeButtons();

    QLabel *m_title;
    QButtonGroup *m_group;
    std::vector<QRadioButton *> m_buttons;
    int m_reportedIndex = -1;
    bool m_settingIndex = false;
};

} // namespace shift
