#pragma once
// How long ago the system created this process, for the start-up time that the benchmark reads
// off the program's trace.
#include <cstdint>

double MillisecondsSinceProcessStart();
