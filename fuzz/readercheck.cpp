#include "readercheck.h"

#include "people/archivereader.h"
#include "people/archivewriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {
[[noreturn]] void Violated(const char* what)
{
    std::fprintf(stderr, "databasereader_fuzz: %s\n", what);
    std::abort();
}
}

void CheckReader(std::string_view bytes)
{
    const size_t size = bytes.size();
    const ArchiveReadResult first = ReadArchive(bytes);
    if (first.fault) {
        if (first.fault->offset > size)
            Violated("fault offset lies past the end of the input");
        if (first.fault->reason.empty() || first.fault->reason.find('\n') != std::string::npos)
            Violated("fault reason is not one non-empty line");
        return;
    }

    CNameList names;
    for (const CName& record : first.records)
        names.Append(record);
    const std::string written = WriteArchive(names);
    const ArchiveReadResult second = ReadArchive(written);
    if (second.fault)
        Violated("the written file does not read back");
    if (second.records.ToVector() != first.records.ToVector())
        Violated("the written file reads back to other records");

    // The same records taken into a list as the program's start takes them,
    // the last one first, then all of them by the write.
    CNameList again;
    again.Append(second.records);
    if (!again.IsEmpty() && !(*again.At(again.Count() - 1) == *names.At(names.Count() - 1)))
        Violated("the list of loaded records ends in another record");
    if (WriteArchive(again) != written)
        Violated("writing the same records twice gives different bytes");
}
