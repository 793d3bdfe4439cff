#pragma once

// Popup menus whose items keep their own caption, tick, enabled and visible
// state; the system menu is built from them each time the menu opens, so
// the items can be changed freely in between (and by the OnPopup handler).
// An item with items of its own opens them as a submenu.

#include "base/Callback.h"
#include "gui/Component.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Form;

class MenuItem {
public:
    using ClickHandler = Callback<void(MenuItem& sender)>;

    MenuItem(std::string_view name, std::string_view caption, ClickHandler onClick);

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption) { caption_ = caption; }
    bool IsSeparator() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // Runs the item's handler, as choosing it from the menu does.
    void Click();

    // A submenu's item; an item that has any is never chosen itself.
    MenuItem& Add(std::string_view name, std::string_view caption, ClickHandler onClick = {});
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // For a submenu that an OnPopup handler fills anew at each opening.
    void ClearItems() { items_.clear(); }

private:
    std::string name_;
    std::string caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    ClickHandler onClick_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class PopupMenu : public Component {
public:
    explicit PopupMenu(Form& owner);

    // A caption of "-" makes a separator.
    MenuItem& Add(std::string_view name, std::string_view caption, MenuItem::ClickHandler onClick = {});
    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    // Searches the submenus too.
    MenuItem* Find(std::string_view name) const;

    // Runs just before the menu is shown.
    Callback<void()> OnPopup;

    // Shows the menu at a screen point and runs the chosen item's handler
    // once the menu has closed.
    void Popup(int x, int y);

private:
    Form& owner_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};
