#pragma once
// The program entry's one handler: whatever escapes the main routine ends in a box, after the
// main window and its scene are gone.
#include <exception>
#include <functional>

#include "base/Errors.h"

struct TEntryBoxes {
    std::function<void(const ESystemRequirements&)> Requirements;
    // Any other exception of the program or the runtime.
    std::function<void(const std::exception&)> Error;
};

// The boxes the program shows.
TEntryBoxes ProgramEntryBoxes();

// Runs the main routine and shows what escapes it; returns 0 in every case.
int RunEntry(const std::function<int()>& mainRoutine, const TEntryBoxes& boxes);
