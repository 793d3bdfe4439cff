#include "gui/Component.h"

#include <algorithm>

Component::~Component()
{
    // Copies: a listener's handler may ask for or drop notifications.
    const std::vector<Component*> listeners = listeners_;
    for (Component* listener : listeners) {
        listener->Forget(this);
        listener->ComponentDestroyed(this);
    }
    const std::vector<Component*> watched = watched_;
    for (Component* other : watched)
        other->Forget(this);
}

void Component::FreeNotification(Component* listener)
{
    if (listener == nullptr || listener == this)
        return;
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) {
        listeners_.push_back(listener);
        listener->watched_.push_back(this);
    }
}

void Component::Forget(Component* other)
{
    std::erase(listeners_, other);
    std::erase(watched_, other);
}
