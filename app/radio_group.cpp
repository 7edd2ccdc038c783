#include "radio_group.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace shift {

namespace {

// Room the group's title takes above the first item, and the margins around the items and the
// title.
constexpr int kTitleHeight = 14;
constexpr int kSideMargin = 8;
constexpr int kBottomMargin = 4;
constexpr int kTitlePadding = 2;

} // namespace

// The frame is drawn by QFrame (an etched line), not by the style's group box, whose frame
// Fusion draws from an image file: loading it would cost the program's start all image-format
// plugins.
TRadioGroup::TRadioGroup(const QString &title, const QStringList &items, QWidget *parent)
    : QFrame(parent)
    , m_title(new QLabel(title, this))
    , m_group(new QButtonGroup(this))
{
    setAutoFillBackground(true);
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    m_title->setAutoFillBackground(true);
    m_title->setContentsMargins(kTitlePadding, 0, kTitlePadding, 0);
    m_group->setExclusive(true);
    for (int i = 0; i < items.size(); ++i) {
        auto *button = new QRadioButton(items[i], this);
        button->setAutoFillBackground(true);
        m_group->addButton(button, i);
        m_buttons.push_back(button);
    }
    // idClicked also follows a click on the item already selected and the click that an arrow
    // key performs on the next item; only a change of the selection is reported.
    connect(m_group, &QButtonGroup::idClicked, this, &TRadioGroup::userClicked);
    // Assistive technology selects an item with its Toggle action, which checks the button
    // without a click; that is the user's choice too. setItemIndex's own checking is not.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        updateTabStop();
        if (checked && !m_settingIndex)
            userClicked(index);
    });
    placeButtons();
    updateTabStop();
}

int TRadioGroup::ItemIndex() const
{
    return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    m_settingIndex = true;
    if (index >= 0 && index < itemCount())
        m_buttons[static_cast<std::size_t>(index)]->setChecked(true);
    m_settingIndex = false;
    m_reportedIndex = ItemIndex();
}

QRadioButton *TRadioGroup::button(int index) const
{
    return m_buttons.at(static_cast<std::size_t>(index));
}

QString TRadioGroup::title() const
{
    return m_title->text();
}

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    placeButtons();
}

void TRadioGroup::userClicked(int index)
{
    if (index == m_reportedIndex)
        return;
    m_reportedIndex = index;
    emit OnClick();
}

// The group is one stop in the tab order, at its selected item; the arrow keys move between
// the items (Qt moves the focus to an exclusive button whatever its focus policy).
void TRadioGroup::updateTabStop()
{
    const bool anySelected = ItemIndex() >= 0;
    for (QRadioButton *button : m_buttons)
        button->setFocusPolicy(
            button->isChecked() || !anySelected ? Qt::StrongFocus : Qt::ClickFocus);
}

// The frame's top line runs through the middle of the title; the items share the height below
// the title evenly, each centred in its share.
void TRadioGroup::placeButtons()
{
    const int titleHeight = m_title->sizeHint().height();
    setFrameRect(QRect(0, titleHeight / 2, width(), height() - titleHeight / 2));
    m_title->setGeometry(kSideMargin - kTitlePadding, 0, m_title->sizeHint().width(), titleHeight);
    if (m_buttons.empty())
        return;
    const int count = itemCount();
    const int available = height() - kTitleHeight - kBottomMargin;
    const int share = available / count; // [0, height]
    const int buttonHeight = std::min(share, fontMetrics().height() + 4);
    for (int i = 0; i < count; ++i) {
        const int top = kTitleHeight + share * i + (share - buttonHeight) / 2;
        m_buttons[static_cast<std::size_t>(i)]->setGeometry(
            kSideMargin, top, width() - kSideMargin - kBottomMargin, buttonHeight);
    }
}

} // namespace shift
