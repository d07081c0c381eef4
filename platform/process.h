// Processes, time and the web browser.
#pragma once

#include <cstdint>
#include <string>

// Starts a program file without waiting and without arguments, detached. False on failure.
bool RunProgram(const std::string& path);

// Opens a web address in the default browser without waiting: the first command of BROWSER
// that starts (the address replaces its %s, or follows it), else xdg-open. False on failure.
bool OpenWebPage(const std::string& url);

// The folder of the running program's file, without a trailing '/'; empty when unknown.
std::string ProgramFolder();

// Sleeps the given number of milliseconds (no events are handled meanwhile).
void Delay(int milliseconds);

// Milliseconds since an arbitrary fixed moment (monotonic).
uint32_t ElapsedMilliseconds();

// Gives memory the program has freed back to the system: decoding pictures leaves much of it.
void ReleaseFreedMemory();
