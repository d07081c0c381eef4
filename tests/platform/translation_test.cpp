// The language from the settings and the desktop's locale, the catalogues with their gaps and
// faults, and Qt's own button texts to match.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/translation.h"
#include "tests/support/cjk_text.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* LocaleVariables[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
const std::string BuiltCatalogues = std::string(PELMORA_APP_DIR) + "/i18n";

class TranslationTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("translation_test_" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const char* variable : LocaleVariables) {
      const char* value = std::getenv(variable);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i])
        setenv(LocaleVariables[i], saved_[i]->c_str(), 1);
      else
        unsetenv(LocaleVariables[i]);
    }
    UseLanguage(OriginalLanguage, BuiltCatalogues);
    fs::remove_all(folder_);
  }

  // LANGUAGE, LC_ALL, LC_MESSAGES and LANG; nullptr leaves one unset.
  static void SetLocale(std::initializer_list<const char*> values) {
    const char* const* value = values.begin();
    for (const char* variable : LocaleVariables) {
      if (*value)
        setenv(variable, *value, 1);
      else
        unsetenv(variable);
      ++value;
    }
  }
  void Place(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  static std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The caption of a message box's Yes button, as Qt makes it in the language in use.
  static std::string YesButtonText() {
    QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Yes | QMessageBox::No);
    return box.button(QMessageBox::Yes)->text().toStdString();
  }

  fs::path folder_;
  std::vector<std::optional<std::string>> saved_;
};

// ---- Choosing -----------------------------------------------------------------------------------

TEST_F(TranslationTest, SettingAndLocaleChooseTheLanguage) {
  Place("pelmora_en.qm", "");
  Place("pelmora_de.qm", "");
  Place("pelmora_pt_BR.qm", "");
  struct Row {
    const char* setting;
    const char *language, *all, *messages, *lang;
    const char* expected;
  };
  const Row rows[] = {
      // The player's choice comes before the desktop's.
      {"zh", nullptr, nullptr, nullptr, "en_US.UTF-8", "zh"},
      {"EN", nullptr, nullptr, nullptr, "zh_CN.UTF-8", "en"},
      // auto, an unknown choice or none: the desktop's.
      {"auto", nullptr, nullptr, nullptr, nullptr, "zh"},
      {"auto", nullptr, nullptr, nullptr, "C.UTF-8", "zh"},
      {"auto", nullptr, nullptr, nullptr, "POSIX", "zh"},
      {"auto", nullptr, nullptr, nullptr, "zh_TW.UTF-8", "zh"},
      {"auto", nullptr, nullptr, nullptr, "en_GB.UTF-8", "en"},
      {"klingon", nullptr, nullptr, nullptr, "en_US", "en"},
      {"", nullptr, nullptr, nullptr, "zh_CN", "zh"},
      // A language without a catalogue is spoken to in English; a territory's own catalogue
      // comes before its language's.
      {"auto", nullptr, nullptr, nullptr, "fr_FR.UTF-8", "en"},
      {"auto", nullptr, nullptr, nullptr, "de_AT.UTF-8@euro", "de"},
      {"auto", nullptr, nullptr, nullptr, "pt_BR.UTF-8", "pt_BR"},
      {"auto", nullptr, nullptr, nullptr, "pt_PT.UTF-8", "en"},
      // The first variable set decides, an empty one counts as unset.
      {"auto", "", "en_US.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", "en"},
      {"auto", nullptr, "", "zh_CN.UTF-8", "en_US.UTF-8", "zh"},
      {"auto", nullptr, nullptr, "", "en_US.UTF-8", "en"},
      {"auto", "de_DE", "C", "C", "C", "de"},
      // LANGUAGE lists languages: the first one spoken here counts.
      {"auto", "fr:it:de:en", nullptr, nullptr, "zh_CN.UTF-8", "de"},
      {"auto", "::zh_CN", nullptr, nullptr, "en_US.UTF-8", "zh"},
      {"auto", "fr:it", nullptr, nullptr, "zh_CN.UTF-8", "en"},
  };
  for (const Row& r : rows) {
    SetLocale({r.language, r.all, r.messages, r.lang});
    EXPECT_EQ(ChooseLanguage(r.setting, folder_.string()), r.expected)
        << "setting " << r.setting << ", LANGUAGE " << (r.language ? r.language : "-")
        << ", LC_ALL " << (r.all ? r.all : "-") << ", LC_MESSAGES "
        << (r.messages ? r.messages : "-") << ", LANG " << (r.lang ? r.lang : "-");
  }
}

// ---- Catalogues ---------------------------------------------------------------------------------

TEST_F(TranslationTest, EnglishTranslatesTextsNumbersAndQtsButtons) {
  const std::string chineseYes = YesButtonText();
  ASSERT_TRUE(UseLanguage("en", BuiltCatalogues));
  EXPECT_EQ(CurrentLanguage(), "en");
  EXPECT_EQ(TranslateText("提示"), "Notice");
  EXPECT_EQ(TranslateText("Vorle麻将连连看"), "Vorle Mahjong Connect");
  EXPECT_EQ(TranslateText("第%1关", {12}), "Level 12");
  EXPECT_EQ(TranslateText("当前地图共有%1关，正在编辑第%2关。", {30, 7}),
            "Map levels: 30, editing level 7.");
  EXPECT_EQ(TranslateText("设置音量：%1%", {100}), "Volume: 100%");
  EXPECT_EQ(TranslateText("          连续消除3次得分都在85以上中间不间断，奖励500积分。").substr(0, 4),
            "    ") << "a line's leading blanks are part of its text";
  EXPECT_EQ(YesButtonText(), "&Yes");
  // A text of the map, which no catalogue holds, stays as its author wrote it.
  EXPECT_EQ(TranslateText("我的地图"), "我的地图");

  ASSERT_TRUE(UseLanguage(OriginalLanguage, BuiltCatalogues));
  EXPECT_EQ(TranslateText("提示"), "提示");
  EXPECT_EQ(TranslateText("第%1关", {12}), "第12关");
  EXPECT_EQ(YesButtonText(), chineseYes);
  EXPECT_NE(chineseYes.find("是"), std::string::npos) << chineseYes;
}

TEST_F(TranslationTest, NumbersFillTheirPlacesInAnyOrder) {
  struct Row {
    const char* source;
    std::vector<long long> numbers;
    const char* expected;
  };
  const Row rows[] = {
      {"%2 of %1", {3, 40}, "40 of 3"},
      {"%1%", {50}, "50%"},
      {"100% %1 %3", {7}, "100% 7 %3"},
      {"%1%1", {-5}, "-5-5"},
      {"第[%1]关", {9007199254740993LL}, "第[9007199254740993]关"},
      {"no place", {1}, "no place"},
      {"%", {1}, "%"},
  };
  for (const Row& r : rows) {
    std::string filled;
    switch (r.numbers.size()) {
      case 1: filled = TranslateText(r.source, {r.numbers[0]}); break;
      case 2: filled = TranslateText(r.source, {r.numbers[0], r.numbers[1]}); break;
    }
    EXPECT_EQ(filled, r.expected) << r.source;
  }
}

// A catalogue that lacks a text, or holds it unfinished and empty, shows the original; another
// language's text is found without changing the language in use.
TEST_F(TranslationTest, GapsInACatalogueShowTheOriginalText) {
  const std::string partial = std::string(PELMORA_TEST_CATALOGUES);
  ASSERT_TRUE(UseLanguage("xx", partial));
  EXPECT_EQ(TranslateText("提示"), "Notice (xx)");
  EXPECT_EQ(TranslateText("第%1关", {4}), "xx 4");
  EXPECT_EQ(TranslateText("保存成功"), "保存成功") << "unfinished and empty";
  EXPECT_EQ(TranslateText("游戏设置"), "游戏设置") << "not in the catalogue";
  EXPECT_EQ(TranslateText(""), "");

  EXPECT_EQ(TranslateTextInto("en", "提示", BuiltCatalogues), "Notice");
  EXPECT_EQ(TranslateTextInto("zh", "提示", BuiltCatalogues), "提示");
  EXPECT_EQ(TranslateTextInto("xx", "提示", partial), "Notice (xx)");
  EXPECT_EQ(TranslateTextInto("fr", "提示", BuiltCatalogues), "提示") << "no such catalogue";
  EXPECT_EQ(CurrentLanguage(), "xx");
  EXPECT_EQ(TranslateText("提示"), "Notice (xx)");
}

// A catalogue that cannot be read leaves the programs in their original language, Qt's texts
// included.
TEST_F(TranslationTest, BrokenCatalogueFallsBackToTheOriginalLanguage) {
  const std::string whole = Bytes(BuiltCatalogues + "/pelmora_en.qm");
  ASSERT_GT(whole.size(), 100u);
  const std::string chineseYes = YesButtonText();
  struct Case {
    const char* what;
    void (*make)(const fs::path& file, const std::string& whole);
  };
  const Case cases[] = {
      {"missing", [](const fs::path&, const std::string&) {}},
      {"empty", [](const fs::path& file, const std::string&) { std::ofstream(file) << ""; }},
      {"not a catalogue",
       [](const fs::path& file, const std::string&) { std::ofstream(file) << "pelmora\n"; }},
      {"cut in half",
       [](const fs::path& file, const std::string& bytes) {
         std::ofstream(file, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
       }},
      {"scrambled",
       [](const fs::path& file, const std::string& bytes) {
         std::string scrambled = bytes;
         for (size_t i = 20; i < scrambled.size(); i += 7) scrambled[i] ^= 0x5a;
         std::ofstream(file, std::ios::binary) << scrambled;
       }},
      {"a folder", [](const fs::path& file, const std::string&) { fs::create_directory(file); }},
  };
  for (const Case& c : cases) {
    fs::remove_all(folder_ / "pelmora_en.qm");
    c.make(folder_ / "pelmora_en.qm", whole);
    ASSERT_TRUE(UseLanguage("en", BuiltCatalogues));
    EXPECT_FALSE(UseLanguage("en", folder_.string())) << c.what;
    EXPECT_EQ(CurrentLanguage(), OriginalLanguage) << c.what;
    EXPECT_EQ(TranslateText("提示"), "提示") << c.what;
    EXPECT_EQ(TranslateText("第%1关", {2}), "第2关") << c.what;
    EXPECT_EQ(YesButtonText(), chineseYes) << c.what;
  }
}

// ---- The programs' own texts ------------------------------------------------------------------

// The string literals of a C++ source that hold Chinese, comments left out.
std::vector<std::string> ChineseLiterals(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string code((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> literals;
  for (size_t i = 0; i < code.size(); ++i) {
    if (code.compare(i, 2, "//") == 0) {
      i = code.find('\n', i);
      if (i == std::string::npos) break;
    } else if (code.compare(i, 2, "/*") == 0) {
      i = code.find("*/", i);
      if (i == std::string::npos) break;
      ++i;
    } else if (code[i] == '\'') {
      i = code.find('\'', i + 2 + (code[i + 1] == '\\' ? 1 : 0));
      if (i == std::string::npos) break;
    } else if (code[i] == '"') {
      std::string literal;
      for (++i; i < code.size() && code[i] != '"'; ++i) {
        if (code[i] == '\\') ++i;
        literal += code[i];
      }
      if (HasCjk(literal)) literals.push_back(literal);
    }
  }
  return literals;
}

// Every Chinese text written in the programs' code has an English translation that holds no
// Chinese, so nothing the programs show stays untranslated. The face names are no texts: the
// platform maps them to installed fonts.
TEST_F(TranslationTest, EveryChineseTextOfTheProgramsHasAnEnglishTranslation) {
  const std::string faceNames[] = {"黑体"};
  ASSERT_TRUE(UseLanguage("en", BuiltCatalogues));
  int texts = 0;
  for (const char* folder : {"game", "editor", "mapdata", "launcher"}) {
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(PELMORA_SOURCE_DIR) / folder)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".cpp" && extension != ".h") continue;
      for (const std::string& literal : ChineseLiterals(entry.path())) {
        if (std::find(std::begin(faceNames), std::end(faceNames), literal) != std::end(faceNames))
          continue;
        ++texts;
        const std::string english = TranslateText(literal);
        EXPECT_FALSE(HasCjk(english)) << entry.path().filename() << ": " << literal << " -> "
                                      << english;
      }
    }
  }
  EXPECT_GT(texts, 90) << "the scan found the programs' texts";
}

}  // namespace
