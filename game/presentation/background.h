// The background picture, sprite 1.
#pragma once

// Replaces sprite 1 by a background chosen from the background settings.
void ChooseBackground();
