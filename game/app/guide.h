// The players' guide, a set of HTML pages installed with the game; the main menu's web-site
// button opens it in the browser.
#pragma once

#include <string>

// The file:// address of the guide's first page: the installed guide beside the installed
// programs, else the source tree's for a game run from the build; empty when neither exists.
std::string GuideAddress();

// Opens the guide in the browser without waiting; nothing is reported when that fails.
void OpenGuide();
