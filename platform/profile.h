// Profile files ("Config.ini"): "[Section]" lines opening sections and "key=value" lines.
//
// Section and key names are matched without regard to letter case; the first match counts.
// Lines starting with ';' are comments. A write changes or adds only its own line: comments,
// other keys, other sections and their order survive as they stand. The file name itself is
// matched without regard to letter case (ResolvePath), and a write replaces the file at once,
// keeping its mode.
#pragma once

#include <string>

// The value, without the spaces around it; the empty text when the file, the section or the key
// is missing. Values are returned whole, however long.
std::string ReadIni(const std::string& section, const std::string& key, const std::string& file);

// Sets one key, creating the file and the section when needed; line breaks in the value are
// dropped, so that it stays one line. False when the file cannot be written, or is there but
// cannot be read (nothing else happens then).
bool WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);
