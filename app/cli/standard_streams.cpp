#include "app/cli/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <initializer_list>

namespace {

bool outputClosed = false;

}  // namespace

void holdClosedStandardStreams() {
  for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (fcntl(stream, F_GETFD) >= 0) continue;
    if (stream == STDOUT_FILENO) outputClosed = true;
    // The lowest free descriptor is the closed stream's.
    open("/dev/null", stream == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  }
}

bool standardOutputClosed() { return outputClosed; }
