// Standard input and output as bytes: a CSV going through a pipe keeps its
// CR LF line ends as they are, where a console program would translate them.
#pragma once

namespace binarystreams {
void useBinaryStandardStreams();
}
