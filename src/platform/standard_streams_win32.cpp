#include "platform/standard_streams.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

// The runtime's text mode would write "\r\n" for "\n" (lodump's output would
// differ from the same dump made elsewhere) and end standard input at a
// Ctrl+Z byte. loload reads "\r\n" line ends itself.
void UseBinaryStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}
