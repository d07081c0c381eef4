// pelmora: starts the installed game in the player's folder.
#include "launcher/launcher.h"

int main() { return RunLauncher(LaunchGame); }
