#include "gui/Menu.h"

#include "gui/Form.h"

namespace {

// Item commands count from 1: TrackPopupMenu returns 0 for "nothing chosen".
constexpr UINT FirstItemCommand = 1;

} // namespace

MenuItem::MenuItem(std::string_view name, std::string_view caption, ClickHandler onClick)
    : name_(name)
    , caption_(caption)
    , onClick_(std::move(onClick))
{
}

void MenuItem::Click()
{
    if (onClick_)
        onClick_(*this);
}

PopupMenu::PopupMenu(Form& owner)
    : owner_(owner)
{
}

MenuItem& PopupMenu::Add(std::string_view name, std::string_view caption, MenuItem::ClickHandler onClick)
{
    items_.push_back(std::make_unique<MenuItem>(name, caption, std::move(onClick)));
    return *items_.back();
}

MenuItem* PopupMenu::Find(std::string_view name) const
{
    for (const auto& item : items_)
        if (item->Name() == name)
            return item.get();
    return nullptr;
}

void PopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup();

    const MenuObject menu(CreatePopupMenu());
    if (menu.Get() == nullptr)
        return;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = *items_[i];
        if (!item.Visible())
            continue;
        if (item.IsSeparator()) {
            AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        flags |= item.Checked() ? MF_CHECKED : MF_UNCHECKED;
        flags |= item.Enabled() ? MF_ENABLED : MF_GRAYED;
        AppendMenuA(menu.Get(), flags, FirstItemCommand + i, item.Caption().c_str());
    }

    // A menu tracked for a window that is not in the foreground does not
    // close when the user clicks elsewhere; the null message afterwards
    // lets the menu's own loop see that it is over.
    HWND owner = owner_.Handle();
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);

    if (chosen >= FirstItemCommand && chosen - FirstItemCommand < items_.size())
        items_[chosen - FirstItemCommand]->Click();
}
