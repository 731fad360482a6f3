// A lookup table beside an ordered list of named objects that only grows: the first position
// of each name, brought up to date with the objects appended since the last search, so a
// search takes constant time however long the list is (records of many thousand fields,
// parameter lists as long). The list keeps the declaration order that output depends on.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

template <class T>
class CNameIndex {
public:
    // The first object named `id` in `list`, or nullptr.
    T* Find(const std::vector<std::unique_ptr<T>>& list, const std::string& id) const
    {
        if (indexed > list.size()) {   // the list shrank: index it anew
            first.clear();
            indexed = 0;
        }
        for (; indexed < list.size(); ++indexed) first.emplace(list[indexed]->name, indexed);
        auto it = first.find(id);
        if (it != first.end() && list[it->second]->name == id) return list[it->second].get();
        if (it == first.end()) return nullptr;
        for (const auto& item : list)   // renamed after it was indexed: search them all
            if (item->name == id) return item.get();
        return nullptr;
    }

private:
    mutable std::unordered_map<std::string, size_t> first;
    mutable size_t indexed = 0;
};
