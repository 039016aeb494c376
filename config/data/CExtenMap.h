#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

/// Extension number (as the signed id column holds it) -> access password. Its enumeration order is part of
/// what the user sees (the extension grid) and of what is saved (the order of the INSERTs), so it is kept
/// exactly: 17 buckets visited in ascending order, within a bucket the most recently added
/// key first; setting an existing key replaces its text in place. Lookups go through an
/// index, so filling the map stays linear however many extensions there are.
class CExtenMap
{
public:
    static constexpr std::size_t kBucketCount = 17;

    /// The bucket of a key.
    static std::size_t BucketOf(int key);

    void SetAt(int key, const std::string& text);
    bool Lookup(int key, std::string& text) const;
    void RemoveAll();
    std::size_t GetCount() const { return m_index.size(); }
    bool IsEmpty() const { return m_index.empty(); }

    /// Calls visit(key, text) for every entry in enumeration order.
    template <class Visit> void ForEach(Visit visit) const
    {
        for (const Bucket& bucket : m_buckets) {
            for (auto entry = bucket.rbegin(); entry != bucket.rend(); ++entry)
                visit(entry->first, entry->second);
        }
    }
    /// Calls visit(key, text) for every entry, each bucket's oldest first: setting the keys
    /// again in this order into an empty map gives the same enumeration order.
    template <class Visit> void ForEachAsAdded(Visit visit) const
    {
        for (const Bucket& bucket : m_buckets) {
            for (const auto& entry : bucket)
                visit(entry.first, entry.second);
        }
    }

private:
    using Bucket = std::vector<std::pair<int, std::string>>; // oldest first

    std::array<Bucket, kBucketCount> m_buckets;
    std::unordered_map<int, std::size_t> m_index; // key -> position in its bucket
};
