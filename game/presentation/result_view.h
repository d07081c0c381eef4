// The result page after the last level: the title, the score breakdown and the stars.
#pragma once

// One frame of the page as its run in the rules left it, on the background the frame drew.
void DrawResultScreen();
