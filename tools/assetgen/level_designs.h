// The designed levels of the default map, as height maps: each of the nine rows holds twenty
// characters, '.' for no tile and a digit d for a stack of d tiles (layers 1 to d) on that
// cell. Row 1 and column 1 are the first row string and its first character.
#pragma once

constexpr int DesignRows = 9;
constexpr int DesignColumns = 20;

struct LevelDesign {
  const char* name;             // shown nowhere; names the shape for the designer
  int type;                     // arrangement type 1..4
  const char* rows[DesignRows]; // height map
};

extern const LevelDesign gLevelDesigns[];
extern const int gLevelDesignCount;
