#pragma once

// Standard input, output and error may be closed when the program starts (`>&-`). The next file
// the program or a library opens would then take their place, and what is meant for the terminal
// would land in it. Called first in main(): a closed one is held by /dev/null and remembered.
void holdClosedStandardStreams();

// Whether standard output was closed at start: writing to it then fails, and says so.
bool standardOutputClosed();
