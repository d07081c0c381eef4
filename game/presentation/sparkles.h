// Twinkling stars: sprites drawn at random places with random opacities, anew every frame.
#pragma once

// Draws the sprite `count` times at (x + Random(spreadX), y + Random(spreadY)) with opacity
// Random(255); the three values are drawn in that order for each star.
void DrawSparkles(int sprite, int count, int x, int spreadX, int y, int spreadY);
