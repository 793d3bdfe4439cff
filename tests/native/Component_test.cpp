#include "gui/Component.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class Watcher : public Component {
public:
    std::vector<Component*> told;

protected:
    void ComponentDestroyed(Component* component) override { told.push_back(component); }
};

TEST(ComponentNotification, ListenerIsToldOnceWhenTheWatchedOneGoes)
{
    Watcher watcher;
    auto menu = std::make_unique<Component>();
    Component* address = menu.get();
    menu->FreeNotification(&watcher);
    menu->FreeNotification(&watcher);
    menu.reset();
    ASSERT_EQ(watcher.told.size(), 1u);
    EXPECT_EQ(watcher.told.front(), address);
}

TEST(ComponentNotification, ListenerDestroyedFirstIsNeverCalled)
{
    auto watcher = std::make_unique<Watcher>();
    Component menu;
    menu.FreeNotification(watcher.get());
    watcher.reset();
    // menu's destructor must not reach the destroyed watcher (ASan checks).
}

TEST(ComponentNotification, SelfAndNullAreIgnored)
{
    Watcher watcher;
    watcher.FreeNotification(&watcher);
    watcher.FreeNotification(nullptr);
    EXPECT_TRUE(watcher.told.empty());
}

} // namespace
