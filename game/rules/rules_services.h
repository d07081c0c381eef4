// What the rules ask of the program around them: sounds, messages, the background, the timers
// and the page shown. The app binds the real operations at start-up; tests bind their own. Every
// entry starts as a call that does nothing, so the rules run without any of them bound.
#pragma once

#include <string>

struct RulesServices {
  void (*playSound)(int sound);          // plays it whatever the effects switch says
  void (*playEffect)(int sound);         // plays it when the effects switch is on
  // fixed texts: whoever shows them shows them in the player's language
  void (*showMessage)(const std::string& title, const std::string& text);
  void (*chooseBackground)();            // a new background picture
  void (*startLevelClock)();             // ClockTick every 100 ms from now
  void (*stopLevelClock)();
  void (*restartFrameTimer)();           // the next frame 10 ms from now
  void (*showPage)(int screenState);     // that page, the board put away
  void (*showBoard)();                   // the board and panel instead of any page
  void (*leavePlay)();                   // the board put away, the page left as it is
  void (*dropMap)();                     // the map in memory cannot be played: a mode reads anew
};

extern RulesServices gRulesServices;

// Every entry back to doing nothing.
void ResetRulesServices();
