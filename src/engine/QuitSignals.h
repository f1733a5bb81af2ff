// SIGINT and SIGTERM (Ctrl+C, `timeout`, a session ending) ask the running
// game to stop at the end of its current frame, so that what it was asked
// to write at exit (a record, the state line) is still written. A second
// signal of either kind ends the process at once.
#pragma once

namespace korvid {

// Installs the handlers (once; nested calls are counted) and tells SDL to
// leave them alone.
void CatchQuitSignals();
// Puts back whatever handled the signals before the matching Catch call.
void ReleaseQuitSignals();

// The signal that asked to quit, or 0. Stays set once a signal came.
int PendingQuitSignal();

// Ends the process the way the pending signal would have: default handling,
// then the signal raised again, so the caller sees it as the cause. Returns
// only when no signal is pending.
void RaisePendingQuitSignal();

}  // namespace korvid
