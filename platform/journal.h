// The journal of calls that leave the program (tests).
//
// While it is on, every call through which a program acts on the world outside it is written
// down as one line, in the order made: frames shown (a hash of what was drawn), media commands,
// dialogs with the answer given, timers started and stopped, profile writes, programs and web
// pages opened. Programs and pages are then only written down, never started. A recorded
// play-through compares these lines with a golden file.
#pragma once

#include <string>
#include <vector>

// Switches the journal on (clearing it) or off.
void StartCallJournal();
void StopCallJournal();
bool IsCallJournalOn();
const std::vector<std::string>& CallJournal();
// Adds one line while the journal is on.
void JournalCall(const std::string& line);
// A stable name for a callback: its place in the order callbacks were first journaled.
std::string JournalCallbackName(const void* callback);

// ---- Virtual time (tests) ---------------------------------------------------------------------
//
// With virtual time, window timers never fire by the clock: AdvanceVirtualTime moves a virtual
// clock forward and fires, in order, every timer that falls due on the way, and PumpOnce moves it
// by its sleep instead of sleeping. Timers then fire at exactly the same points on every run.

void UseVirtualTime(bool on);
bool IsVirtualTimeOn();
// Fires the timers due within the next milliseconds, in the order they fall due.
void AdvanceVirtualTime(int milliseconds);
