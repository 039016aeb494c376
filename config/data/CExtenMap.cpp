#include "config/data/CExtenMap.h"

#include <cstdint>

std::size_t CExtenMap::BucketOf(int key)
{
    // The minimal-standard generator step on the key as a signed 32-bit number.
    const std::int64_t k = key;
    const std::int64_t quotient = k / 127773;
    const std::int64_t remainder = k % 127773;
    std::int64_t h = 16807 * remainder - 2836 * quotient;
    if (h < 0)
        h += 2147483647;
    return static_cast<std::size_t>(h % static_cast<std::int64_t>(kBucketCount));
}

void CExtenMap::SetAt(int key, const std::string& text)
{
    Bucket& bucket = m_buckets[BucketOf(key)];
    const auto [found, added] = m_index.try_emplace(key, bucket.size());
    if (added)
        bucket.emplace_back(key, text);
    else
        bucket[found->second].second = text;
}

bool CExtenMap::Lookup(int key, std::string& text) const
{
    const auto found = m_index.find(key);
    if (found == m_index.end())
        return false;
    text = m_buckets[BucketOf(key)][found->second].second;
    return true;
}

void CExtenMap::RemoveAll()
{
    for (Bucket& bucket : m_buckets)
        bucket.clear();
    m_index.clear();
}
