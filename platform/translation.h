// The programs' texts in the player's language.
//
// The programs are written in Chinese, and their Chinese texts are the source texts of the
// translation catalogues: i18n/pelmora_<language>.qm in the application directory, compiled
// from the Qt Linguist catalogues of the source tree. A text the catalogue lacks is shown in
// Chinese. Texts that carry numbers hold the places %1, %2 ... so that a translation may move
// them. Map content (author, contact, introduction, level texts) never goes through here.
#pragma once

#include <initializer_list>
#include <string>

// The language the programs are written in; it needs no catalogue.
constexpr const char* OriginalLanguage = "zh";
// The language of players whose locale has no catalogue.
constexpr const char* FallbackLanguage = "en";
// The folder of the catalogues in the application directory.
constexpr const char* CatalogueFolder = "i18n";

// The language a setting asks for: "zh" and "en" in any letter case themselves, and "auto" or
// anything else the desktop's: the first of LANGUAGE (a colon list, its first language spoken
// here counting), LC_ALL, LC_MESSAGES and LANG that is set and not empty. Its zh*, C and POSIX,
// or no locale at all, give the original language; a language with a catalogue in the folder
// gives that language; any other gives FallbackLanguage.
std::string ChooseLanguage(const std::string& setting, const std::string& catalogueFolder);

// Shows every text from now on in the language, from its catalogue in the folder, with Qt's own
// texts (dialog buttons) to match. False when the catalogue cannot be read: the programs then
// speak their original language.
bool UseLanguage(const std::string& language, const std::string& catalogueFolder);
// The language in use: OriginalLanguage until UseLanguage succeeds.
const std::string& CurrentLanguage();

// The text in the language in use; the source itself where the catalogue has no translation.
std::string TranslateText(const std::string& source);
// The same with each %n replaced by the n-th number in decimal.
std::string TranslateText(const std::string& source, std::initializer_list<long long> numbers);
// A text in another language than the one in use (a note about the next start, in the language
// the player just chose); the source where that language has no translation.
std::string TranslateTextInto(const std::string& language, const std::string& source,
                              const std::string& catalogueFolder);
