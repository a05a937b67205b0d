#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

// A 64-bit hash of every byte of a file, for noticing that it changed. Each
// of eight lanes adds its 8-byte words, and for each word the product of the
// two halves of the word XORed with a key; the keys move on with every 64-byte
// stripe, so that moving bytes changes the hash. Where the processor has AVX2 the lanes are added four at a time
// in vector registers, so that hashing runs at cache speed. Bytes are added
// in whole stripes as they arrive, while they are in the cache.
class CStampHash {
public:
    static constexpr size_t kBlock = 64;

    // Which way the lanes are added: in vector registers where the processor
    // has AVX2, else one word at a time. Both give the same hash.
    enum class Lanes { Fastest, Plain };

    explicit CStampHash(Lanes lanes = Lanes::Fastest) : m_plain(lanes == Lanes::Plain) {}

    // The hash of the `size` bytes at `bytes`.
    static uint64_t Of(const char* bytes, size_t size, Lanes lanes = Lanes::Fastest)
    {
        CStampHash hash(lanes);
        const size_t blocks = size / kBlock * kBlock;
        hash.AddBlocks(bytes, blocks);
        return hash.Finish(bytes, size, blocks);
    }

    // Adds the whole blocks at `bytes`; `size` must be a multiple of kBlock.
    void AddBlocks(const char* bytes, size_t size)
    {
#if defined(__x86_64__)
        if (!m_plain && __builtin_cpu_supports("avx2")) {
            AddBlocksAvx2(bytes, size);
            return;
        }
#endif
        for (size_t block = 0; block < size; block += kBlock) {
            for (size_t lane = 0; lane < kLanes; ++lane) {
                uint64_t word{};
                std::memcpy(&word, bytes + block + 8 * lane, 8);
                const uint64_t keyed = word ^ m_keys[lane];
                m_sums[lane] += word + (keyed & 0xFFFFFFFF) * (keyed >> 32);
                m_keys[lane] += kKeyStep;
            }
        }
    }

    // The hash of all `size` bytes at `bytes`, of which the first
    // `blocksAdded` were added as blocks. The rest is added as a block padded
    // with zeros; the size tells such padding from real zeros.
    uint64_t Finish(const char* bytes, size_t size, size_t blocksAdded) const
    {
        CStampHash last = *this;
        char block[kBlock] = {};
        std::memcpy(block, bytes + blocksAdded, size - blocksAdded);
        last.AddBlocks(block, kBlock);
        uint64_t hash = Mix(size);
        for (const uint64_t sum : last.m_sums)
            hash = Mix(hash ^ sum);
        return hash;
    }

private:
    static constexpr size_t kLanes = kBlock / 8;

#if defined(__x86_64__)
    static constexpr size_t kVectors = kLanes / 4;  // four 64-bit lanes a vector

    // The same sums four lanes at a time, in vector registers.
    __attribute__((target("avx2"))) void AddBlocksAvx2(const char* bytes, size_t size)
    {
        __m256i sums[kVectors];
        __m256i keys[kVectors];
        std::memcpy(sums, m_sums, sizeof sums);
        std::memcpy(keys, m_keys, sizeof keys);
        const __m256i step = _mm256_set1_epi64x(static_cast<long long>(kKeyStep));
        for (size_t block = 0; block < size; block += kBlock) {
            for (size_t half = 0; half < kVectors; ++half) {
                const __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + block) + half);
                const __m256i keyed = _mm256_xor_si256(words, keys[half]);
                const __m256i product = _mm256_mul_epu32(keyed, _mm256_srli_epi64(keyed, 32));
                sums[half] = _mm256_add_epi64(sums[half], _mm256_add_epi64(words, product));
                keys[half] = _mm256_add_epi64(keys[half], step);
            }
        }
        std::memcpy(m_sums, sums, sizeof sums);
        std::memcpy(m_keys, keys, sizeof keys);
    }
#endif
    static constexpr uint64_t kKeyStep = 0x9E3779B97F4A7C15ULL;

    // A bijection that spreads every bit over the whole word.
    static uint64_t Mix(uint64_t value)
    {
        value = (value ^ (value >> 31)) * 0xBF58476D1CE4E5B9ULL;
        value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
        return value ^ (value >> 33);
    }

    bool m_plain;
    // In the order of the lanes in the vector registers.
    uint64_t m_sums[kLanes] = {};
    uint64_t m_keys[kLanes] = {0x243F6A8885A308D3ULL, 0x13198A2E03707344ULL, 0xA4093822299F31D0ULL,
                               0x082EFA98EC4E6C89ULL, 0x452821E638D01377ULL, 0xBE5466CF34E90C6CULL,
                               0xC0AC29B7C97C50DDULL, 0x3F84D5B5B5470917ULL};
};
