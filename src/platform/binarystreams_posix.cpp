#include "binarystreams.h"

// POSIX streams carry bytes as they are.
void binarystreams::useBinaryStandardStreams() { }
