#pragma once
// Small list helpers shared by the library and the interface.

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <optional>
#include <vector>

namespace VQList
{

// Index of the first element equal to `value`, or nothing.
template <class T, class U> std::optional<std::size_t> find(const std::vector<T> &list, const U &value)
{
    const auto it = std::find(list.begin(), list.end(), value);
    if (it == list.end())
        return std::nullopt;
    return std::size_t(it - list.begin());
}

// Elements [location, location + length) clipped to the list.
template <class T> std::vector<T> sliceWithRange(const std::vector<T> &list, std::size_t location, std::size_t length)
{
    if (location >= list.size())
        return {};
    const std::size_t end = location + std::min(length, list.size() - location);
    return std::vector<T>(list.begin() + std::ptrdiff_t(location), list.begin() + std::ptrdiff_t(end));
}

// Takes the element out at `from` and inserts it at `to` (clamped to the end).
// Indices outside the list leave it unchanged.
template <class T> void moveObjectAtIndex(std::vector<T> &list, std::size_t from, std::size_t to)
{
    if (from >= list.size() || from == to)
        return;
    T item = std::move(list[from]);
    list.erase(list.begin() + std::ptrdiff_t(from));
    to = std::min(to, list.size());
    list.insert(list.begin() + std::ptrdiff_t(to), std::move(item));
}

} // namespace VQList

// Runs `block` with `mutex` held and returns what it returns.
template <class Mutex, class F> decltype(auto) performLockedBlock(Mutex &mutex, F &&block)
{
    std::lock_guard<Mutex> lock(mutex);
    return block();
}
