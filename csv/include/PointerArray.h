#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// A growable array of pointers that owns what it holds: removing an entry or destroying the
// array deletes the object.
template <class T> class CPointerArray
{
public:
    CPointerArray() = default;
    CPointerArray(const CPointerArray&) = delete;
    CPointerArray& operator=(const CPointerArray&) = delete;
    CPointerArray(CPointerArray&&) noexcept = default;
    CPointerArray& operator=(CPointerArray&&) noexcept = default;
    virtual ~CPointerArray() = default;

    int GetSize() const { return static_cast<int>(m_Items.size()); }
    int GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_Items.empty(); }

    T* GetAt(int index) const { return m_Items[static_cast<std::size_t>(index)].get(); }
    T* operator[](int index) const { return GetAt(index); }

    // Takes ownership; returns the index of the new entry.
    int Add(T* item)
    {
        m_Items.emplace_back(item);
        return GetSize() - 1;
    }
    void InsertAt(int index, T* item) { m_Items.emplace(m_Items.begin() + index, item); }
    void RemoveAt(int index) { m_Items.erase(m_Items.begin() + index); }
    void RemoveAll() { m_Items.clear(); }
    // Removes the entries for which pred is true, deleting them, in one pass.
    template <class Pred> void RemoveIf(Pred pred)
    {
        std::erase_if(m_Items, [&](const std::unique_ptr<T>& item) { return pred(item.get()); });
    }

    auto begin() const { return m_Items.begin(); }
    auto end() const { return m_Items.end(); }

protected:
    std::vector<std::unique_ptr<T>> m_Items;
};
