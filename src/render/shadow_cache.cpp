#include "render/shadow_cache.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace vlm {

ShadowMaskCache::ShadowMaskCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

ChannelPlane ShadowMaskCache::Mask::plane() const
{
    if (width < 1 || height < 1)
        return {};
    return ChannelPlane{const_cast<std::uint8_t*>(bytes.data()), width, height, static_cast<std::size_t>(width)};
}

std::size_t ShadowMaskCache::KeyHash::operator()(const Key& k) const
{
    return std::hash<const void*>()(k.owner) ^ (static_cast<std::size_t>(k.line) * 0x9e3779b97f4a7c15ull);
}

std::size_t ShadowMaskCache::Entry::bytes() const
{
    return fingerprint.capacity() + mask.bytes.capacity() + sizeof(Entry) + sizeof(Key);
}

const ShadowMaskCache::Mask* ShadowMaskCache::find(const void* owner, int line,
                                                   std::span<const std::uint8_t> fingerprint)
{
    ++clock_;
    const auto it = entries_.find(Key{owner, line});
    if (it == entries_.end())
        return nullptr;
    Entry& e = it->second;
    if (e.fingerprint.size() != fingerprint.size() ||
        !std::equal(fingerprint.begin(), fingerprint.end(), e.fingerprint.begin())) {
        // The owner changed (or is another Item at the same address now):
        // what is kept can never be used again.
        bytes_ -= e.bytes();
        entries_.erase(it);
        return nullptr;
    }
    e.lastUse = clock_;
    return &e.mask;
}

void ShadowMaskCache::makeRoom(std::size_t need)
{
    if (bytes_ + need <= budget_)
        return;
    // Masks not asked for during the last few repaints' worth of look-ups
    // belong to Items that were deleted or scrolled far away.
    const std::uint64_t recent = 4 * static_cast<std::uint64_t>(entries_.size()) + 64;
    const std::uint64_t oldest = clock_ > recent ? clock_ - recent : 0;
    for (auto it = entries_.begin(); it != entries_.end();) {
        if (it->second.lastUse < oldest) {
            bytes_ -= it->second.bytes();
            it = entries_.erase(it);
        } else {
            ++it;
        }
    }
}

void ShadowMaskCache::keep(const void* owner, int line, std::vector<std::uint8_t> fingerprint,
                           const ChannelPlane& mask, QPoint at)
{
    const Key key{owner, line};
    if (const auto it = entries_.find(key); it != entries_.end()) {
        bytes_ -= it->second.bytes();
        entries_.erase(it);
    }
    // The part that is not white: the composite leaves white alone.
    int top = mask.height, bottom = -1, left = mask.width, right = -1;
    for (int y = 0; y < mask.height; ++y) {
        const std::uint8_t* row = mask.bits + static_cast<std::size_t>(y) * mask.pitch;
        int lo = 0;
        while (lo < mask.width && row[lo] == 0xff)
            ++lo;
        if (lo == mask.width)
            continue;
        int hi = mask.width - 1;
        while (row[hi] == 0xff)
            --hi;
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, lo);
        right = std::max(right, hi);
    }
    Entry e;
    e.fingerprint = std::move(fingerprint);
    if (bottom >= 0) {
        e.mask.width = right - left + 1;
        e.mask.height = bottom - top + 1;
        e.mask.at = at + QPoint(left, top);
    }
    const std::size_t need = e.fingerprint.capacity() + static_cast<std::size_t>(e.mask.width) * e.mask.height +
                             sizeof(Entry) + sizeof(Key);
    makeRoom(need);
    if (bytes_ + need > budget_)
        return;
    e.mask.bytes.resize(static_cast<std::size_t>(e.mask.width) * e.mask.height);
    for (int y = 0; y < e.mask.height; ++y)
        std::memcpy(e.mask.bytes.data() + static_cast<std::size_t>(y) * e.mask.width,
                    mask.bits + static_cast<std::size_t>(top + y) * mask.pitch + left,
                    static_cast<std::size_t>(e.mask.width));
    e.lastUse = ++clock_;
    bytes_ += e.bytes();
    entries_.emplace(key, std::move(e));
}

void ShadowMaskCache::clear()
{
    entries_.clear();
    bytes_ = 0;
}

} // namespace vlm
