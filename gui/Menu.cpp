#include "gui/Menu.h"

#include "gui/Form.h"

namespace {

// Item commands count from 1: TrackPopupMenu returns 0 for "nothing chosen".
constexpr UINT FirstItemCommand = 1;

using MenuItems = std::vector<std::unique_ptr<MenuItem>>;

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

// Appends the visible items to `menu`, a submenu for each item that has
// items; every item that can be chosen gets its place in `commands` as its
// command.
void AppendItems(HMENU menu, const MenuItems& items, std::vector<MenuItem*>& commands)
{
    for (const auto& entry : items) {
        const MenuItem& item = *entry;
        if (!item.Visible())
            continue;
        if (item.IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        flags |= item.Checked() ? MF_CHECKED : MF_UNCHECKED;
        flags |= item.Enabled() ? MF_ENABLED : MF_GRAYED;
        if (item.Items().empty()) {
            commands.push_back(entry.get());
            AppendMenuA(menu, flags, FirstItemCommand + commands.size() - 1, item.Caption().c_str());
            continue;
        }
        MenuObject submenu(CreatePopupMenu());
        if (submenu.Get() == nullptr)
            continue;
        AppendItems(submenu.Get(), item.Items(), commands);
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
    items_.push_back(std::make_unique<MenuItem>(name, caption, std::move(onClick)));
    return *items_.back();
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
    return FindIn(items_, name);
}

void PopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup();

    const MenuObject menu(CreatePopupMenu());
    if (menu.Get() == nullptr)
        return;
    std::vector<MenuItem*> commands;
    AppendItems(menu.Get(), items_, commands);

    // A menu tracked for a window that is not in the foreground does not
    // close when the user clicks elsewhere; the null message afterwards
    // lets the menu's own loop see that it is over.
    HWND owner = owner_.Handle();
    SetForegroundWindow(owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);

    if (chosen >= FirstItemCommand && chosen - FirstItemCommand < commands.size())
        commands[chosen - FirstItemCommand]->Click();
}
