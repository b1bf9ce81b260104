#pragma once

#include <functional>

// Runs work on jobs threads at once, the calling thread one of them, and waits for all. The
// work shares out its items itself. The first exception thrown by any of them is thrown here
// once all have ended.
void runInParallel(int jobs, const std::function<void()>& work);

// The number of threads for items when settings ask for jobs (0 for one per core): never more
// than there are items.
int jobsFor(int jobs, std::size_t items);
