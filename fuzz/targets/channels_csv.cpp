// The channel library's CSV: whatever reads as channels is written back in
// a form that reads as the same channels and writes as the same bytes, and
// every refusal names a line that is in the text.
#include "channels/channelcsv.h"
#include "fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ChannelsRead read = readChannelsCsv(bytes);
    if (!read.problems.isEmpty()) {
        FUZZ_CHECK(read.channels.isEmpty());
        for (const LineProblem &problem : read.problems)
            FUZZ_CHECK(problem.line >= 1 && problem.line <= bytes.count('\n') + 1);
        return 0;
    }
    const QByteArray written = writeChannelsCsv(read.channels);
    const ChannelsRead again = readChannelsCsv(written);
    FUZZ_CHECK(again.problems.isEmpty());
    FUZZ_CHECK(writeChannelsCsv(again.channels) == written);
    return 0;
}
