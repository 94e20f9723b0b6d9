#pragma once

#include <array>
#include <initializer_list>
#include <algorithm>

// Fixed tables keep the panel's own numbering (points 1..255, zones 0..40, sets 0..18 …).
// An index outside a table is a programming error: it stops the program with a message
// naming the table rather than touching memory that is not the table's.
[[noreturn]] void ZolIndexFailure(int index, int first, int last);

template <typename T, int First, int Last>
class TIndexedArray {
public:
    static_assert(Last >= First);
    static constexpr int FirstIndex = First;
    static constexpr int LastIndex = Last;
    static constexpr int Size = Last - First + 1;

    TIndexedArray() = default;
    TIndexedArray(std::initializer_list<T> values)
    {
        std::copy_n(values.begin(), std::min<std::size_t>(values.size(), Size), items_.begin());
    }

    static constexpr bool Contains(int i) { return i >= First && i <= Last; }

    T& operator[](int i)
    {
        Check(i);
        return items_[static_cast<std::size_t>(i - First)];
    }
    const T& operator[](int i) const
    {
        Check(i);
        return items_[static_cast<std::size_t>(i - First)];
    }

    void Fill(const T& value) { items_.fill(value); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const TIndexedArray&) const = default;

private:
    static void Check(int i)
    {
        if (!Contains(i))
            ZolIndexFailure(i, First, Last);
    }

    std::array<T, Size> items_{};
};
