// Finding windows the way the dispatcher does: through the tree of children, by kind and by the
// order in which their owner added them.
#pragma once

#include "gui/GUIWindow.h"

// The n-th child of parent that is a T, or nullptr.
template <class T> T* FindChild(const CGUIWindowContainer& parent, int n = 0) {
    for (CGUIWindow* child : parent.GetChildren())
        if (auto* found = dynamic_cast<T*>(child); found && n-- == 0) return found;
    return nullptr;
}
