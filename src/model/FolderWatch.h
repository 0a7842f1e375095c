#pragma once
// Watching an open folder for names that appear, go or change. The watch reports to the
// window thread at most once until the window thread has taken the report, so a burst of
// changes costs a handful of re-reads, not one each.
#include <cstdint>

class TFolderWatch {
public:
    // Stops the watching; no report comes after this returns.
    virtual ~TFolderWatch() = default;
    // Window thread, before it re-reads the folder: a change from now on is reported again.
    virtual void Acknowledge() = 0;
};

// Which shell folder a shell change notification is about.
enum class TShellChangeKind { Desktop, RecycleBin, Drives };

// A volume handle as the model keeps it: 0 for none.
using TVolumeToken = uintptr_t;
