#pragma once

// Base of the non-visual parts of a form (timers, menus, tray icon, dialog
// components).  A component can ask to be told when another one it refers
// to is destroyed, so that it never keeps a dangling reference.

#include <vector>

class Component {
public:
    Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component();

    // `listener` is told through ComponentDestroyed when this one goes.
    void FreeNotification(Component* listener);

protected:
    virtual void ComponentDestroyed(Component*) { }

private:
    void Forget(Component* other);

    std::vector<Component*> listeners_;
    std::vector<Component*> watched_;
};
