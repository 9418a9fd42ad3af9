// libFuzzer target for the family-name reader: any bytes, read as a font or collection,
// in two languages and for the first two faces.
#include <cstddef>
#include <cstdint>

#include "fontfs/sfnt_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SfntSource source = MemorySfntSource(data, size);
    CountSfntFaces(source);
    ReadSfntFamilyName(source, 0x0804);
    ReadSfntFamilyName(source, 0x0411, 1);
    return 0;
}
