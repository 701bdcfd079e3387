#include "render/shadow_cache.h"

#include <algorithm>
#include <cstring>
#include <functional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vlm {

namespace {

// Sets bit i of `bits` where row[i] is not white (0xff), for i < length;
// the bits past length are clear.
void ShadedBits(const std::uint8_t* row, int length, std::vector<std::uint64_t>& bits)
{
    bits.assign(static_cast<std::size_t>(length + 63) / 64, 0);
    int i = 0;
#ifdef __SSE2__
    const __m128i white = _mm_set1_epi8(static_cast<char>(0xff));
    for (; i + 16 <= length; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
        const auto shaded = static_cast<std::uint64_t>(~_mm_movemask_epi8(_mm_cmpeq_epi8(v, white)) & 0xffff);
        bits[static_cast<std::size_t>(i / 64)] |= shaded << (i % 64);
    }
#endif
    for (; i < length; ++i)
        if (row[i] != 0xff)
            bits[static_cast<std::size_t>(i / 64)] |= std::uint64_t{1} << (i % 64);
}

// The first i in from..length-1 whose bit is `set`, or length.
int NextBit(const std::uint64_t* bits, int from, int length, bool set)
{
    for (int i = from; i < length;) {
        const std::uint64_t word = set ? bits[i / 64] : ~bits[i / 64];
        const std::uint64_t ahead = word >> (i % 64);
        if (ahead != 0)
            return std::min(length, i + __builtin_ctzll(ahead));
        i = (i / 64 + 1) * 64;
    }
    return length;
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
    thread_local std::vector<std::uint64_t> shaded;
    runs.clear();
    std::size_t total = 0;
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
        // One bit per byte of x..w-1, set where the byte is shaded.
        const int length = w - x;
        if (length <= 0)
            continue;
        ShadedBits(row + x, length, shaded);
        const std::uint64_t* bits = shaded.data();
        for (int start = NextBit(bits, 0, length, true); start < length;) {
            // A run ends at a white gap of kGap bytes or at the row's end.
            int end = NextBit(bits, start, length, false);
            while (end < length) {
                const int next = NextBit(bits, end, length, true);
                if (next >= length || next - end >= kGap)
                    break;
                end = NextBit(bits, next, length, false);
            }
            runs.push_back(Run{x + start, y, end - start, static_cast<std::uint32_t>(total)});
            total += static_cast<std::size_t>(end - start);
            start = end < length ? NextBit(bits, end, length, true) : length;
        }
    }
    e.mask.runs.assign(runs.begin(), runs.end());
    const std::size_t need = e.fingerprint.capacity() + total + e.mask.runs.capacity() * sizeof(Run) +
                             sizeof(Entry) + sizeof(Key);
    makeRoom(need);
    if (bytes_ + need > budget_)
        return nullptr;
    e.mask.bytes.resize(total);
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
