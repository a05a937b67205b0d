#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// FNV-1a taken over 8-byte words in four interleaved lanes, so that hashing
// runs at memory speed, then over the lanes and the last bytes. Each step
// folds the high half down, since a product carries changes only upward and
// two changes in the top bit would otherwise cancel. Bytes are added in
// whole blocks as they arrive, so that they are hashed while in the cache.
class CStampHash {
public:
    static constexpr size_t kBlock = 32;

    // The hash of the `size` bytes at `bytes`.
    static uint64_t Of(const char* bytes, size_t size)
    {
        CStampHash hash;
        const size_t blocks = size / kBlock * kBlock;
        hash.AddBlocks(bytes, blocks);
        return hash.Finish(bytes, size, blocks);
    }

    // Adds the whole blocks at `bytes`; `size` must be a multiple of kBlock.
    void AddBlocks(const char* bytes, size_t size)
    {
        // The lanes are held in locals so that they stay in registers.
        uint64_t a = m_lanes[0], b = m_lanes[1], c = m_lanes[2], d = m_lanes[3];
        for (size_t at = 0; at < size; at += kBlock) {
            uint64_t words[4];
            std::memcpy(words, bytes + at, sizeof words);
            a = Step(a, words[0]);
            b = Step(b, words[1]);
            c = Step(c, words[2]);
            d = Step(d, words[3]);
        }
        m_lanes[0] = a;
        m_lanes[1] = b;
        m_lanes[2] = c;
        m_lanes[3] = d;
    }
    // The hash of all `size` bytes at `bytes`, of which the first
    // `blocksAdded` were added as blocks.
    uint64_t Finish(const char* bytes, size_t size, size_t blocksAdded) const
    {
        uint64_t hash = kBasis;
        for (const uint64_t lane : m_lanes)
            hash = Step(hash, lane);
        for (size_t at = blocksAdded; at < size; ++at)
            hash = Step(hash, static_cast<unsigned char>(bytes[at]));
        return Step(hash, size);
    }

private:
    static constexpr uint64_t kBasis = 0xcbf29ce484222325ULL;
    static uint64_t Step(uint64_t hash, uint64_t value)
    {
        hash = (hash ^ value) * 0x100000001b3ULL;
        return hash ^ (hash >> 32);
    }
    uint64_t m_lanes[4] = {kBasis, kBasis ^ 1, kBasis ^ 2, kBasis ^ 3};
};
