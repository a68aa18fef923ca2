#include "platform/standard_streams.h"

// The streams carry bytes as they are here.
void UseBinaryStandardStreams() {}
