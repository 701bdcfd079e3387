#include "render/shadow_cache.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace vlm {

namespace {

constexpr std::uint64_t kWhite = ~std::uint64_t{0};

std::uint64_t Word(const std::uint8_t* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// Whether any of the eight bytes is 0xff: a zero byte of ~w.
bool HasWhiteByte(std::uint64_t w)
{
    const std::uint64_t v = ~w;
    return ((v - 0x0101010101010101ull) & ~v & 0x8080808080808080ull) != 0;
}

} // namespace

ShadowMaskCache::ShadowMaskCache(std::size_t budgetBytes) : budget_(budgetBytes) {}

std::size_t ShadowMaskCache::KeyHash::operator()(const Key& k) const
{
    return std::hash<const void*>()(k.owner) ^ (static_cast<std::size_t>(k.line) * 0x9e3779b97f4a7c15ull);
}

std::size_t ShadowMaskCache::Entry::bytes() const
{
    return fingerprint.capacity() + mask.bytes.capacity() + mask.runs.capacity() * sizeof(Run) + sizeof(Entry) +
           sizeof(Key);
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

const ShadowMaskCache::Mask* ShadowMaskCache::keep(const void* owner, int line,
                                                   std::vector<std::uint8_t> fingerprint, const ChannelPlane& mask,
                                                   QPoint at, std::span<const RowReach> reach)
{
    const Key key{owner, line};
    if (const auto it = entries_.find(key); it != entries_.end()) {
        bytes_ -= it->second.bytes();
        entries_.erase(it);
    }
    // Only what is not white: the composite leaves white alone.
    Entry e;
    e.fingerprint = std::move(fingerprint);
    e.mask.at = at;
    // The runs are gathered where they need not grow anew for every mask.
    thread_local std::vector<Run> runs;
    runs.clear();
    std::size_t length = 0;
    const bool reaching = reach.size() == static_cast<std::size_t>(std::max(mask.height, 0));
    for (int y = 0; y < mask.height; ++y) {
        const std::uint8_t* row = mask.bits + static_cast<std::size_t>(y) * mask.pitch;
        int w = mask.width;
        int x = 0;
        if (reaching) {
            // White ends hold no run; a run that reaches the white end
            // stops at its last shaded byte all the same.
            const RowReach& r = reach[static_cast<std::size_t>(y)];
            if (r.lead == 0xff)
                x = std::clamp(r.from, 0, w);
            if (r.trail == 0xff)
                w = std::clamp(r.to, x, w);
        }
        while (true) {
            while (x + 8 <= w && Word(row + x) == kWhite)
                x += 8;
            while (x < w && row[x] == 0xff)
                ++x;
            if (x == w)
                break;
            // A run ends at a white gap of kGap bytes or at the row's end.
            const int start = x;
            int end = x + 1; // past the last byte that is not white
            for (int white = 0; x < w && white < kGap;) {
                if (x + 8 <= w) {
                    // Eight bytes at a time where they are all white or none is.
                    const std::uint64_t word = Word(row + x);
                    if (word == kWhite) {
                        white += 8;
                        x += 8;
                        continue;
                    }
                    if (!HasWhiteByte(word)) {
                        white = 0;
                        x += 8;
                        end = x;
                        continue;
                    }
                }
                if (row[x] == 0xff) {
                    ++white;
                } else {
                    white = 0;
                    end = x + 1;
                }
                ++x;
            }
            runs.push_back(Run{start, y, end - start, static_cast<std::uint32_t>(length)});
            length += static_cast<std::size_t>(end - start);
            x = end;
        }
    }
    e.mask.runs.assign(runs.begin(), runs.end());
    const std::size_t need = e.fingerprint.capacity() + length + e.mask.runs.capacity() * sizeof(Run) +
                             sizeof(Entry) + sizeof(Key);
    makeRoom(need);
    if (bytes_ + need > budget_)
        return nullptr;
    e.mask.bytes.resize(length);
    for (const Run& r : e.mask.runs)
        std::memcpy(e.mask.bytes.data() + r.offset, mask.bits + static_cast<std::size_t>(r.y) * mask.pitch + r.x,
                    static_cast<std::size_t>(r.length));
    e.lastUse = ++clock_;
    bytes_ += e.bytes();
    return &entries_.emplace(key, std::move(e)).first->second.mask;
}

void ShadowMaskCache::clear()
{
    entries_.clear();
    bytes_ = 0;
}

} // namespace vlm
