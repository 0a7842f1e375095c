#pragma once
// Ways in for the end-to-end tests, built only into the test preset's program: the environment
// variable GLIMMERA_TEST_HOOK set to "raise" makes an exception escape the main window once it
// is up; "bug-report" opens the bug report dialog over it.

// Before the main routine; does nothing without the variable or in a shipped build.
void ArmTestHook();
