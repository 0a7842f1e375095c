#pragma once
// Ways in for the end-to-end tests, built only into the test preset's program: the environment
// variable GLIMMERA_TEST_HOOK set to "raise" makes an exception escape the main window once it
// is up; "bug-report" opens the bug report dialog over it; "counts" makes the main thread
// answer the registered message "GlimmeraTestCounts", sent to any of its windows, with one
// trace line of what the process holds (tests/helpers/counts.exe sends it); "window-surface"
// makes the scene draw on its own window, as it does where the driver has no framebuffer
// objects; "fault" writes through a null pointer in a window's message handler, "fault-thread"
// in a worker thread; "raise-address" makes the typed address raise when it is opened.
// Without the variable too, the main thread answers the tests' barrier message
// "GlimmeraTestBarrier" once everything sent to it before is handled (wininfo --barrier).

// Before the main routine, on the main thread; does nothing in a shipped build.
void ArmTestHook();

// True when the test hook asks the scene to draw on its own window.
bool WindowSurfaceRequested();

// True when the test hook asks the typed address to raise.
bool TypedAddressRaises();
