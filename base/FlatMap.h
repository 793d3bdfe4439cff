#pragma once

// The few entries a window keeps by a small key: its controls by id and by
// window, its timers by id.  A vector searched from the front serves tens of
// entries as fast as a tree, and a tree's code came to 6 KB of the program.

#include <algorithm>
#include <utility>
#include <vector>

template <typename Key, typename Value> class FlatMap {
public:
    // The value kept under the key, or Value {} (a null pointer) without one.
    Value Find(Key key) const
    {
        for (const auto& [entryKey, value] : entries_)
            if (entryKey == key)
                return value;
        return Value {};
    }

    bool Contains(Key key) const
    {
        return std::any_of(
            entries_.begin(), entries_.end(), [key](const auto& entry) { return entry.first == key; });
    }

    // Replaces the value of a key already kept.
    void Set(Key key, Value value)
    {
        for (auto& entry : entries_)
            if (entry.first == key) {
                entry.second = value;
                return;
            }
        entries_.emplace_back(key, value);
    }

    void Erase(Key key)
    {
        std::erase_if(entries_, [key](const auto& entry) { return entry.first == key; });
    }

    // Every key that names the value.
    void EraseValue(Value value)
    {
        std::erase_if(entries_, [value](const auto& entry) { return entry.second == value; });
    }

private:
    std::vector<std::pair<Key, Value>> entries_;
};
