// TObjVector: the owning vector of pointers behind window children and the screen stack.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <class T> class TObjVector {
public:
    using value_type = T*;
    using const_iterator = typename std::vector<T*>::const_iterator;

    TObjVector() = default;
    TObjVector(const TObjVector&) = delete;
    TObjVector& operator=(const TObjVector&) = delete;

    // Deletes in index order. The array is emptied first, so an element's destructor that looks
    // at this vector (a window asking whether it is still in a tree) finds no deleted neighbours.
    virtual ~TObjVector() {
        std::vector<T*> doomed = std::exchange(items, {});
        for (T* item : doomed)
            delete item;
    }

    void push_back(T* item) { items.push_back(item); }

    // The index of the first element equal to item, or -1.
    int IndexOf(const T* item) const {
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == item) return static_cast<int>(i);
        return -1;
    }

    // Deletes element i and closes the gap. The element leaves the array before it is deleted,
    // for the same reason as in the destructor. An index out of range (IndexOf of something
    // that is not here) changes nothing.
    void Erase(int i) {
        if (!InRange(i)) return;
        T* doomed = items[static_cast<std::size_t>(i)];
        items.erase(items.begin() + i);
        delete doomed;
    }

    // Moves element i to the end without deleting anything; out of range changes nothing.
    void MoveToTop(int i) {
        if (!InRange(i)) return;
        T* item = items[static_cast<std::size_t>(i)];
        items.erase(items.begin() + i);
        items.push_back(item);
    }

    std::size_t size() const { return items.size(); }
    bool empty() const { return items.empty(); }
    T* operator[](std::size_t i) const { return items[i]; }
    T* back() const { return items.back(); }
    const_iterator begin() const { return items.begin(); }
    const_iterator end() const { return items.end(); }

private:
    bool InRange(int i) const { return i >= 0 && static_cast<std::size_t>(i) < items.size(); }

    std::vector<T*> items;
};
