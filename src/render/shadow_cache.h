#pragma once

// Finished shadow masks kept between repaints. The view repaints the same
// Items over and over (every scroll step, every refinement, every partial
// repaint under an edit), and a shadow's mask depends only on the Item and
// on how it is drawn, not on the canvas it lands on: so the blurred mask of
// each Item is kept and only the composite is done again.
//
// An entry is found by its owner (the Item, and the text line) and used only
// when its fingerprint, every byte the mask was made from, is the same as
// the one asked with. An edit, an undo, a zoom or a changed light therefore
// never shows a stale shadow: the fingerprint differs and the mask is made
// anew. Masks are placed on the page rather than on the canvas, so that a
// scroll or a partial repaint (drawn into a piece of the canvas) finds them.
// The memory is bounded; beyond it masks are simply made each time, as
// without the cache.

#include "render/resample.h"

#include <QPoint>

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace vlm {

class ShadowMaskCache
{
public:
    // A busy page of 2,000 shadowed Items in a 1200 x 900 window keeps about
    // 15 MB; this leaves room for a window four times that size.
    static constexpr std::size_t kDefaultBudget = std::size_t{64} << 20;

    explicit ShadowMaskCache(std::size_t budgetBytes = kDefaultBudget);

    // A kept mask: the runs of a shadow mask's rows that are not white
    // (white gaps shorter than kGap stay inside a run), their bytes one after
    // the other. Positions count from `at` (the caller decides in which
    // coordinates). No runs for a shadow that is white everywhere.
    struct Run {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t length = 0;
        std::uint32_t offset = 0; // of the run's first byte in `bytes`
    };
    struct Mask {
        std::vector<std::uint8_t> bytes;
        std::vector<Run> runs;
        QPoint at;
    };
    // Below this many white bytes a gap is cheaper to work through than to
    // start a new run after.
    static constexpr int kGap = 24;

    // The mask kept for (owner, line) when its fingerprint is `fingerprint`;
    // null otherwise.
    const Mask* find(const void* owner, int line, std::span<const std::uint8_t> fingerprint);

    // Keeps the runs of `mask` (its top-left at `at`) that are not white for
    // (owner, line), replacing what was kept for it. Nothing is kept when
    // the memory is spent on masks that are still in use. Returns what is
    // kept, null for nothing. `reach`, when given, says for each row of the
    // mask where it can differ from its ends (so white ends are not read).
    const Mask* keep(const void* owner, int line, std::vector<std::uint8_t> fingerprint, const ChannelPlane& mask,
                     QPoint at, std::span<const RowReach> reach = {});

    void clear();
    std::size_t bytes() const { return bytes_; }
    std::size_t size() const { return entries_.size(); }

private:
    struct Key {
        const void* owner;
        int line;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    struct Entry {
        std::vector<std::uint8_t> fingerprint;
        Mask mask;
        std::uint64_t lastUse = 0;
        std::size_t bytes() const;
    };

    void makeRoom(std::size_t need);

    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::uint64_t clock_ = 0;
    std::unordered_map<Key, Entry, KeyHash> entries_;
};

} // namespace vlm
