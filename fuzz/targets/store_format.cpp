// The store's file format alone, read, written back and read again, in
// memory: the fast half of the settings_store target, so that it sees many
// more inputs.
#include "storeformatcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkStoreFormat(data, size);
    return 0;
}
