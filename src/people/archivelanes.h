#pragma once

#include "people/nametable.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// How many lanes a large run is read in.
constexpr int kCommonRecordLanes = 8;

// What TakeCommonRecords took: how many records, where they end, in how many
// lanes they were read (1 when front to back) and how many records each lane
// took in the steps all lanes made together, the fast part of the reading.
struct CommonRecordsTaken {
    size_t end;
    uint64_t count;
    int lanes;
    uint64_t together;
};

// Takes the records of the common form from `from` on: the 2-byte `tag` and
// four strings with 1-byte lengths, all within the `size` bytes; at most
// `limit` of them. Numbering them from `first`, appends a mark for the first
// and every CNameTable::kMarkEvery-th after it. With `inLanes`, a large run
// is read in several lanes at once.
CommonRecordsTaken TakeCommonRecords(const unsigned char* bytes, size_t size, size_t from, uint32_t tag,
                                     uint64_t limit, bool inLanes, uint64_t first,
                                     std::vector<CNameTable::Mark>& marks);
