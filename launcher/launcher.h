// The launchers of the installed programs: they make the player's folder, change into it and
// become the program there, so that the folder is its application directory.
#pragma once

enum LaunchedProgram { LaunchGame, LaunchEditor };

// Never returns on success. On failure says why on standard error and, where a display
// exists, in a message box, and returns the exit code 1.
int RunLauncher(LaunchedProgram program);
