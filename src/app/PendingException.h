#pragma once
// An exception must not unwind through the system's message dispatch: the window procedure
// keeps it here and ends the loop, and the main routine raises it again on its own stack.

// Keeps the exception being handled and posts the quit message.
void KeepPendingException();

// Raises the kept exception, if any.
void RethrowPendingException();
