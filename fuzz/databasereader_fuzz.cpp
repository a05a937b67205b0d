// Reads arbitrary bytes as a people database.
#include "readercheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckReader({reinterpret_cast<const char*>(data), size});
    return 0;
}
