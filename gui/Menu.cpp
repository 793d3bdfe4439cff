#include "gui/Menu.h"

#include "gui/Form.h"

namespace {

// Item commands count from 1: TrackPopupMenu returns 0 for "nothing chosen".
constexpr UINT FirstItemCommand = 1;

using MenuItems = std::vector<std::unique_ptr<MenuItem>>;

MenuItem& AddTo(
    MenuItems& items, std::string_view name, std::string_view caption, MenuItem::ClickHandler onClick)
{
    items.push_back(std::make_unique<MenuItem>(name, caption, std::move(onClick)));
    return *items.back();
}

MenuItem* FindIn(const MenuItems& items, std::string_view name)
{
    for (const auto& item : items) {
        if (item->Name() == name)
            return item.get();
        if (MenuItem* found = FindIn(item->Items(), name))
            return found;
    }
    return nullptr;
}

// Each visible item is numbered in the order of a walk through the
// submenus, so the chosen command finds its item by the same walk.
MenuItem* ItemAt(const MenuItems& items, UINT& number)
{
    for (const auto& item : items) {
        if (!item->Visible())
            continue;
        if (number-- == 0)
            return item.get();
        if (MenuItem* found = ItemAt(item->Items(), number))
            return found;
    }
    return nullptr;
}

// Appends the visible items to `menu`, a submenu for each item that has
// items, numbered as ItemAt counts them.
void AppendItems(HMENU menu, const MenuItems& items, UINT& number)
{
    for (const auto& entry : items) {
        const MenuItem& item = *entry;
        if (!item.Visible())
            continue;
        const UINT command = FirstItemCommand + number++;
        if (item.IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        flags |= item.Checked() ? MF_CHECKED : MF_UNCHECKED;
        flags |= item.Enabled() ? MF_ENABLED : MF_GRAYED;
        if (item.Items().empty()) {
            AppendMenuA(menu, flags, command, item.Caption().c_str());
            continue;
        }
        MenuObject submenu(CreatePopupMenu());
        if (submenu.Get() == nullptr)
            continue;
        AppendItems(submenu.Get(), item.Items(), number);
        // Once appended, the submenu goes with the menu that holds it.
        if (AppendMenuA(
                menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()), item.Caption().c_str()))
            static_cast<void>(submenu.Release());
    }
}

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

MenuItem& MenuItem::Add(std::string_view name, std::string_view caption, ClickHandler onClick)
{
    return AddTo(items_, name, caption, std::move(onClick));
}

PopupMenu::PopupMenu(Form& owner)
    : owner_(owner)
{
}

MenuItem& PopupMenu::Add(std::string_view name, std::string_view caption, MenuItem::ClickHandler onClick)
{
    return AddTo(items_, name, caption, std::move(onClick));
}

MenuItem* PopupMenu::Find(std::string_view name) const
{
    return FindIn(items_, name);
}

void PopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup();

    const MenuObject menu(CreatePopupMenu());
    if (menu.Get() == nullptr)
        return;
    UINT number = 0;
    AppendItems(menu.Get(), items_, number);

    // A menu tracked for a window that is not in the foreground does not
    // close when the user clicks elsewhere; the null message afterwards
    // lets the menu's own loop see that it is over.
    HWND owner = owner_.Handle();
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);

    UINT chosenNumber = chosen - FirstItemCommand;
    if (chosen >= FirstItemCommand)
        if (MenuItem* item = ItemAt(items_, chosenNumber))
            item->Click();
}
