// Reading the common records of a large file in several lanes at once.
//
// Reading a record means following its four length prefixes one after the
// other, so a file read front to back is read at the speed of that chain of
// dependent loads: on the development machine 1,000,000 people took about
// 11 ms of CPU that way, against 2 ms for reading their bytes and a goal of
// three times that for the whole load. Eight lanes take about 2.3 ms.
//
// The bytes are split where a run of common records suggests that a record
// starts, each part is read in its own lane, and a lane counts only when the
// lane before it ends exactly where it began. A wrong guess costs time, never
// a wrong result.
#include "people/archivelanes.h"

#include "people/archiveformat.h"

#include <algorithm>
#include <cstring>

using namespace archive;

namespace {
using Mark = CNameTable::Mark;
constexpr uint64_t kMarkEvery = CNameTable::kMarkEvery;
constexpr size_t kLanesMinBytes = size_t{1} << 20;  // a shorter rest is read in one lane
constexpr int kLanes = kCommonRecordLanes;
constexpr size_t kRunRecords = 8;         // common records in a row that mark a likely start
constexpr size_t kRunSearchBytes = 4096;  // how far past a split point a run is looked for
// The longest common record: a 2-byte tag and four strings of 1 + 254 bytes.
constexpr size_t kMaxCommonRecordBytes = 2 + 4 * (1 + 254);
constexpr size_t kNotFound = SIZE_MAX;

// The records of the common form in one file's bytes.
class CCommonRecords {
public:
    CCommonRecords(const unsigned char* bytes, size_t size, uint32_t tag) : m_bytes(bytes), m_size(size), m_tag(tag)
    {
    }

    // Where the common record starting at `at` ends, or 0 when none does.
    size_t End(size_t at) const
    {
        if (m_size - at < 2 || static_cast<uint32_t>(m_bytes[at] | m_bytes[at + 1] << 8) != m_tag)
            return 0;
        size_t end = at + 2;
        for (int field = 0; field < 4; ++field) {
            if (end >= m_size || m_bytes[end] == kByteLengthEscape)
                return 0;
            end += 1 + size_t{m_bytes[end]};
        }
        return end <= m_size ? end : 0;
    }

    // The first offset in [from, from + kRunSearchBytes) at which kRunRecords
    // common records follow one another.
    size_t FindRun(size_t from) const
    {
        const size_t last = std::min(m_size, from + kRunSearchBytes);
        for (size_t start = from; start < last; ++start) {
            size_t at = start;
            size_t run = 0;
            while (run < kRunRecords && at < m_size && (at = End(at)) != 0)
                ++run;
            if (run == kRunRecords)
                return start;
        }
        return kNotFound;
    }

    // Takes records from `at` while they start before `stop` and `count` is
    // below `limit`, appending a mark numbered from `first` for every
    // kMarkEvery-th; returns where it stopped.
    size_t Walk(size_t at, size_t stop, uint64_t limit, uint64_t first, std::vector<Mark>& marks,
                uint64_t& count) const
    {
        for (; at < stop && count < limit; ++count) {
            const size_t end = End(at);
            if (end == 0)
                break;
            if (count % kMarkEvery == 0)
                marks.push_back(Mark{first + count, at + 2});
            at = end;
        }
        return at;
    }

    // Steps all lanes together while each has records before its stop and is
    // far enough from the end of the bytes that no length needs checking
    // against it. Field by field across the lanes, without branches, so that
    // the lanes' chains of loads overlap. Returns how many records each took.
    // Not inlined: inlined into its caller, it spilled the lanes' positions
    // out of the registers and ran 15 % slower.
    __attribute__((noinline)) uint64_t WalkTogether(size_t* lanesAt, const size_t* stops, uint64_t limit,
                                                    std::vector<Mark>* marks) const
    {
        // Locals, which the marks' stores cannot alias. The tag is compared
        // as its two bytes stand in memory, read in one load.
        const unsigned char* const bytes = m_bytes;
        const unsigned char tagBytes[2] = {static_cast<unsigned char>(m_tag), static_cast<unsigned char>(m_tag >> 8)};
        uint16_t tag{};
        std::memcpy(&tag, tagBytes, 2);
        const size_t safeEnd = m_size > kMaxCommonRecordBytes ? m_size - kMaxCommonRecordBytes : 0;
        size_t at[kLanes];
        std::copy(lanesAt, lanesAt + kLanes, at);
        uint64_t count = 0;
        for (;;) {
            // No lane moves more than kMaxCommonRecordBytes a step, so this
            // many steps need no check of where the lanes are.
            uint64_t steps = limit - count;
            for (int i = 0; i < kLanes; ++i) {
                const size_t end = std::min(stops[i], safeEnd + 1);
                steps = std::min<uint64_t>(steps, at[i] < end ? (end - at[i] - 1) / kMaxCommonRecordBytes + 1 : 0);
            }
            if (steps == 0)
                break;
            for (const uint64_t last = count + steps; count < last; ++count) {
                // A wrong tag leaves bits in `wrong`; a length of 0xFF makes
                // its step 0x100.
                uint32_t wrong = 0;
                uint32_t stepBits = 0;
                size_t ends[kLanes];
#pragma GCC unroll 8
                for (int i = 0; i < kLanes; ++i) {
                    uint16_t tagHere{};
                    std::memcpy(&tagHere, bytes + at[i], 2);
                    wrong |= tagHere ^ tag;
                    ends[i] = at[i] + 2;
                }
#pragma GCC unroll 4
                for (int field = 0; field < 4; ++field) {
#pragma GCC unroll 8
                    for (int i = 0; i < kLanes; ++i) {
                        const uint32_t step = bytes[ends[i]] + 1u;
                        stepBits |= step;
                        ends[i] += step;
                    }
                }
                if ((wrong | (stepBits & 0x100)) != 0) {
                    std::copy(at, at + kLanes, lanesAt);
                    return count;
                }
                if (count % kMarkEvery == 0) {
                    for (int i = 0; i < kLanes; ++i)
                        marks[i].push_back(Mark{count, at[i] + 2});
                }
#pragma GCC unroll 8
                for (int i = 0; i < kLanes; ++i)
                    at[i] = ends[i];
            }
        }
        std::copy(at, at + kLanes, lanesAt);
        return count;
    }

private:
    const unsigned char* m_bytes;
    size_t m_size;
    uint32_t m_tag;
};
}

CommonRecordsTaken TakeCommonRecords(const unsigned char* bytes, size_t size, size_t from, uint32_t tag,
                                     uint64_t limit, bool inLanes, uint64_t first, std::vector<Mark>& marks)
{
    const CCommonRecords records(bytes, size, tag);
    uint64_t taken = 0;
    size_t begins[kLanes] = {from};
    inLanes = inLanes && size - from >= kLanesMinBytes;
    for (int i = 1; inLanes && i < kLanes; ++i) {
        const size_t split = from + (size - from) / kLanes * static_cast<size_t>(i);
        begins[i] = records.FindRun(std::max(split, begins[i - 1] + 1));
        inLanes = begins[i] != kNotFound;
    }
    if (!inLanes) {
        const size_t end = records.Walk(from, size, limit, first, marks, taken);
        return {end, taken, 1, 0};
    }

    size_t stops[kLanes];
    size_t at[kLanes];
    std::vector<Mark> laneMarks[kLanes];  // records numbered from the lane's start
    for (int i = 0; i < kLanes; ++i) {
        stops[i] = i + 1 < kLanes ? begins[i + 1] : size;
        at[i] = begins[i];
        laneMarks[i].reserve((stops[i] - begins[i]) / (kMinRecordBytes * kMarkEvery) + 1);
    }
    const uint64_t together = records.WalkTogether(at, stops, limit, laneMarks);
    uint64_t counts[kLanes];
    std::fill(counts, counts + kLanes, together);
    // Then each lane goes on alone.
    for (int i = 0; i < kLanes; ++i)
        at[i] = records.Walk(at[i], stops[i], limit, 0, laneMarks[i], counts[i]);

    // Lane 0 starts at a true record; each later lane counts only when the
    // one before it ended exactly at its start.
    size_t next = from;
    int lane = 0;
    for (; lane < kLanes && next == begins[lane]; ++lane) {
        const uint64_t take = std::min(counts[lane], limit - taken);
        for (const Mark& mark : laneMarks[lane]) {
            if (mark.record < take)
                marks.push_back(Mark{first + taken + mark.record, mark.offset});
        }
        taken += take;
        next = at[lane];
        if (take < counts[lane]) {
            // Cut short by the limit: the lane's first record not taken
            // starts where stepping from the last mark kept says.
            const Mark& last = marks.back();
            next = static_cast<size_t>(last.offset) - 2;
            for (uint64_t step = last.record; step < first + taken; ++step)
                next = records.End(next);
        }
    }
    return {next, taken, lane, together};
}
