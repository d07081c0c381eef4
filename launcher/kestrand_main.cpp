// kestrand: starts the installed map editor in the player's folder.
#include "launcher/launcher.h"

int main() { return RunLauncher(LaunchEditor); }
