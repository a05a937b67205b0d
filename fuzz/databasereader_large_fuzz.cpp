// Reads a people database of more than 1 MiB grown from a small input, so
// that the reader's paths for large files are searched at the speed of small
// inputs. The input is a patch count p, then p patches of a 3-byte offset
// and a byte, then a record. The file is a 4-byte count, the first record
// with the new-class tag and the record's strings, then the record (its own
// tag included) repeated past 1 MiB; each patch then sets the byte at its
// offset (modulo the file's size), so that faults land anywhere.
#include "readercheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
constexpr size_t kTargetBytes = (size_t{1} << 20) + 4096;
constexpr size_t kPatchBytes = 4;
constexpr char kFirstTag[] = "\xFF\xFF\x00\x00\x05\x00"
                             "CName";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t patches = data[0] % 16;
    const size_t recordAt = 1 + patches * kPatchBytes;
    if (size < recordAt + 3)
        return 0;
    const std::string record(reinterpret_cast<const char*>(data) + recordAt, size - recordAt);

    std::string file = "\xFF\xFF";
    file.append(4, '\0');
    file.append(kFirstTag, sizeof kFirstTag - 1);
    file.append(record, 2, std::string::npos);
    uint32_t count = 1;
    while (file.size() < kTargetBytes) {
        file += record;
        ++count;
    }
    for (int i = 0; i < 4; ++i)
        file[2 + i] = static_cast<char>(count >> (8 * i));
    for (size_t i = 0; i < patches; ++i) {
        const uint8_t* patch = data + 1 + i * kPatchBytes;
        const size_t offset = patch[0] | size_t{patch[1]} << 8 | size_t{patch[2]} << 16;
        file[offset % file.size()] = static_cast<char>(patch[3]);
    }
    CheckReader(file);
    return 0;
}
