// What the program's main() needs from the main window benchmarks.
#pragma once

namespace lq {

// The dictionary named by --memory-probe=PATH, or null when the program runs the benchmarks.
const char* memoryProbePath(int argc, char** argv);

// Opens the main window on the dictionary at `path` as the program does at start, then prints
// the resident memory in bytes. The benchmark of memory runs it in a fresh process.
int runMemoryProbe(const char* path);

// Closes the windows that the benchmarks keep between runs; before the application goes.
void closeBenchWindows();

}  // namespace lq
