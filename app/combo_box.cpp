#include "combo_box.h"

namespace shift {

TComboBox::TComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(false);
    // `activated` comes from user interaction only (mouse, wheel and keyboard alike), but also
    // when the user picks the entry that is already shown; the remembered index filters that.
    connect(this, &QComboBox::activated, this, &TComboBox::userActivated);
}

void TComboBox::setItemIndex(int index)
{
    setCurrentIndex(index);
    m_reportedIndex = currentIndex();
}

void TComboBox::userActivated(int index)
{
    if (index == m_reportedIndex)
        return;
    m_reportedIndex = index;
    emit OnChange();
}

} // namespace shift
