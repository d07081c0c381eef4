// Translations: choosing the language, its catalogue and Qt's own texts, and the look-up.
//
// Sections: choosing | catalogues | look-up
//
// The catalogue is asked directly rather than installed in the application, so that texts can
// be translated before the application object exists and a second language can be asked once
// (TranslateTextInto) without touching the one in use.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <strings.h>

#include <cstdlib>
#include <unordered_map>

#include "platform/files.h"
#include "platform/qt_internal.h"
#include "platform/translation.h"

namespace {

// Every text of both programs lies in this one context of the catalogues.
constexpr const char* CatalogueContext = "Pelmora";
constexpr const char* CatalogueNameStart = "/pelmora_";
constexpr const char* CatalogueExtension = ".qm";
// Qt's catalogue of its own texts for a language: "qtbase_" and the language.
constexpr const char* QtCatalogueStart = "qtbase_";
// The Chinese of Qt's own texts as the programs always showed them.
constexpr const char* QtOriginalCatalogue = "qtbase_zh_CN";
// The desktop's locale, most particular first.
constexpr const char* LocaleVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
constexpr char LanguageListSeparator = ':';

struct Translation {
  std::string language = OriginalLanguage;   // the language in use
  QTranslator* catalogue = nullptr;          // its catalogue; none for the original language
  QTranslator* qtTexts = nullptr;            // Qt's own texts, installed in the application
  std::unordered_map<std::string, std::string> translated;   // texts looked up so far
};

Translation gTranslation;

// ---- Choosing ---------------------------------------------------------------------------------

std::string CataloguePath(const std::string& folder, const std::string& language) {
  return folder + CatalogueNameStart + language + CatalogueExtension;
}

bool HasCatalogue(const std::string& folder, const std::string& language) {
  return !language.empty() && IsRegularFile(CataloguePath(folder, language));
}

// The language of one locale name ("en_GB.UTF-8", "zh_CN", "C"): the original language, a
// language with a catalogue (its territory kept when that catalogue exists), or "" for one the
// programs do not speak.
std::string LanguageOfLocale(const std::string& locale, const std::string& folder) {
  const std::string name = locale.substr(0, locale.find_first_of(".@"));
  const std::string language = name.substr(0, name.find('_'));
  if (name == "C" || name == "POSIX" || language == OriginalLanguage) return OriginalLanguage;
  if (HasCatalogue(folder, name)) return name;
  if (HasCatalogue(folder, language)) return language;
  return {};
}

std::string LanguageOfDesktop(const std::string& folder) {
  for (const char* variable : LocaleVariables) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    // The first variable set decides; in a list the first language spoken here.
    const std::string list = value;
    for (size_t start = 0; start <= list.size();) {
      size_t end = list.find(LanguageListSeparator, start);
      if (end == std::string::npos) end = list.size();
      const std::string language = LanguageOfLocale(list.substr(start, end - start), folder);
      if (!language.empty()) return language;
      start = end + 1;
    }
    return FallbackLanguage;
  }
  return OriginalLanguage;
}

// ---- Catalogues -------------------------------------------------------------------------------

// A catalogue of the language, or nullptr when it cannot be read.
QTranslator* LoadCatalogue(const std::string& language, const std::string& folder) {
  auto* catalogue = new QTranslator;
  if (catalogue->load(QString::fromStdString(CataloguePath(folder, language)))) return catalogue;
  delete catalogue;
  return nullptr;
}

std::string Look(const QTranslator* catalogue, const std::string& source) {
  if (catalogue == nullptr) return source;
  const QString text = catalogue->translate(CatalogueContext, source.c_str());
  return text.isEmpty() ? source : text.toStdString();
}

}  // namespace

std::string ChooseLanguage(const std::string& setting, const std::string& catalogueFolder) {
  for (const char* language : {OriginalLanguage, FallbackLanguage})
    if (strcasecmp(setting.c_str(), language) == 0) return language;
  return LanguageOfDesktop(catalogueFolder);
}

// Qt's texts follow the language in use: its Chinese for the original language, its own
// English where Qt has no catalogue of the language.
void InstallQtTexts() {
  Translation& t = gTranslation;
  if (QCoreApplication::instance() == nullptr) return;
  if (t.qtTexts != nullptr) {
    QCoreApplication::removeTranslator(t.qtTexts);
    delete t.qtTexts;
    t.qtTexts = nullptr;
  }
  const std::string name =
      t.language == OriginalLanguage ? QtOriginalCatalogue : QtCatalogueStart + t.language;
  auto* texts = new QTranslator(QCoreApplication::instance());
  if (texts->load(QString::fromStdString(name),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(texts);
    t.qtTexts = texts;
  } else {
    delete texts;
  }
}

bool UseLanguage(const std::string& language, const std::string& catalogueFolder) {
  Translation& t = gTranslation;
  QTranslator* catalogue =
      language == OriginalLanguage ? nullptr : LoadCatalogue(language, catalogueFolder);
  delete t.catalogue;
  t.catalogue = catalogue;
  t.language = catalogue != nullptr ? language : OriginalLanguage;
  t.translated.clear();
  InstallQtTexts();
  return t.language == language;
}

const std::string& CurrentLanguage() { return gTranslation.language; }

// ---- Look-up ----------------------------------------------------------------------------------

std::string TranslateText(const std::string& source) {
  Translation& t = gTranslation;
  if (t.catalogue == nullptr) return source;
  const auto known = t.translated.find(source);
  if (known != t.translated.end()) return known->second;
  return t.translated.emplace(source, Look(t.catalogue, source)).first->second;
}

std::string TranslateText(const std::string& source, std::initializer_list<long long> numbers) {
  const std::string text = TranslateText(source);
  std::string filled;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t n = i + 1 < text.size() ? size_t(text[i + 1] - '0') : 0;
    if (text[i] == '%' && n >= 1 && n <= numbers.size()) {
      filled += std::to_string(numbers.begin()[n - 1]);
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

std::string TranslateTextInto(const std::string& language, const std::string& source,
                              const std::string& catalogueFolder) {
  if (language == gTranslation.language) return TranslateText(source);
  if (language == OriginalLanguage) return source;
  QTranslator* catalogue = LoadCatalogue(language, catalogueFolder);
  const std::string text = Look(catalogue, source);
  delete catalogue;
  return text;
}
