// vossaStartupReport: tells the player why the game could not start: one line on standard
// error ("vossa: cannot start: <reason>"); on Windows, where a program started from Explorer
// has no console, also a message box when there is no standard error to write to.
#pragma once

// The line written for `reason` (an empty reason reads "unknown reason").
void ReportStartupFailure(const char* reason);
