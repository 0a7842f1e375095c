#pragma once
// Processor faults (an access violation, a division by zero...) of any thread end in the error
// report as escaped exceptions do, and the program ends after it.
#include <functional>

#include "services/ReportTexts.h"

// Once at start: show runs on a thread of its own with the first fault's facts, while the
// faulting thread waits; the process ends when it returns.
void InstallFaultReport(std::function<void(const TExceptionFacts&)> show);

// True from the first fault on: the program's windows leave every message to the system, so no
// code of the program runs on the state the fault left.
bool ProgramFaulted();

// True for the first error report of the process. A second one (a fault while the report's
// dialog runs) ends the program quietly instead.
bool ClaimErrorReport();
