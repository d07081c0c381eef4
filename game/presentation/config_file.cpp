// Config.ini: reading the settings at start-up, and writing each change at once.
#include "game/presentation/config_file.h"

#include <strings.h>

#include <climits>

#include "game/presentation/resources.h"
#include "platform/profile.h"

Settings gSettings;

namespace {

// The leading decimal number of a text; 0 when it does not start with one.
int LeadingNumber(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT_MAX) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// A saved window scale: one of the offered sizes, anything else is the window's own size.
int WindowScaleOf(const std::string& text) {
  const int percent = LeadingNumber(text);
  for (int scale : WindowScales)
    if (scale == percent) return scale;
  return OwnWindowScale;
}

// A saved language: one of the offered settings in any letter case, anything else the desktop's.
std::string LanguageSettingOf(const std::string& text) {
  for (const char* setting : LanguageSettings)
    if (strcasecmp(text.c_str(), setting) == 0) return setting;
  return LanguageSettings[0];
}

}  // namespace

void ReadSettings() {
  const std::string& file = gFiles.configPath;
  gSettings.backgroundType = LeadingNumber(ReadIni("Images", "type", file));
  gSettings.backgroundColour = LeadingNumber(ReadIni("Images", "Color", file));
  gSettings.pictureDirectory = ReadIni("Images", "Path", file);
  gSettings.musicSourceType = LeadingNumber(ReadIni("Sound", "Type", file));
  gSettings.musicDirectory = ReadIni("Sound", "Path", file);
  gSettings.effectsOn = LeadingNumber(ReadIni("Sound", "Yinxiao", file));
  gSettings.musicOn = LeadingNumber(ReadIni("Sound", "Yinyue", file));
  gSettings.volume = LeadingNumber(ReadIni("Sound", "Yinliang", file));
  gSettings.windowScale = WindowScaleOf(ReadIni(WindowSection, ScaleKey, file));
  gSettings.fullScreen = LeadingNumber(ReadIni(WindowSection, FullScreenKey, file)) == 1 ? 1 : 0;
  gSettings.language = LanguageSettingOf(ReadIni(WindowSection, LanguageKey, file));
}

bool SaveSetting(const char* section, const char* key, const std::string& value) {
  return WriteIni(section, key, value, gFiles.configPath);
}

void SaveSwitch(const char* section, const char* key, int& value, bool on) {
  value = on ? 1 : 0;
  SaveSetting(section, key, on ? "1" : "0");
}
