// The settings: reading them from Config.ini, and the settings window (window 1) that changes
// them, writing each change to the file at once.
//
// Sections: layout; reading; the game window's size; the window; the gadget handler.
#include "game/presentation/settings.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>

#include "game/presentation/background.h"
#include "game/presentation/resources.h"
#include "game/presentation/sound.h"
#include "game/rules/game_numbers.h"
#include "platform/dialog.h"
#include "platform/gadget.h"
#include "platform/media.h"
#include "platform/picture.h"
#include "platform/translation.h"
#include "platform/window.h"


namespace {

// ---- Layout -----------------------------------------------------------------------------------

enum SettingsGadget {
  GadgetBackgroundFrame = 10,
  GadgetBackgroundBox = 11,
  GadgetDefaultPictures = 12,
  GadgetOwnPictures = 13,
  GadgetColourBackground = 14,
  GadgetSoundFrame = 20,
  GadgetSoundBox = 21,
  GadgetMusicSwitch = 22,
  GadgetDefaultMusic = 23,
  GadgetOwnMusic = 24,
  GadgetEffectsSwitch = 25,
  GadgetVolumeLabel = 26,
  GadgetVolumeSlider = 27,
  GadgetDisplayFrame = 30,
  GadgetDisplayBox = 31,
  GadgetWindowSizeLabel = 32,
  GadgetWindowSize = 33,
  GadgetFullScreen = 34,
  GadgetLanguageLabel = 35,
  GadgetLanguage = 36,
  GadgetLanguageNote = 37,
};

constexpr int SettingsWidth = 450;
constexpr int SettingsHeight = 300;

constexpr int FrameX = 10;
constexpr int FrameWidth = 430;
constexpr int FrameGap = 10;
constexpr int BackgroundFrameY = 10;
constexpr int BackgroundFrameHeight = 45;
constexpr int SoundFrameY = BackgroundFrameY + BackgroundFrameHeight + FrameGap;
constexpr int SoundFrameHeight = 80;
constexpr int DisplayFrameY = SoundFrameY + SoundFrameHeight + FrameGap;
// Two rows, as in the sound frame: the window's size, then the language.
constexpr int DisplayFrameHeight = 70;

// A container sits inside its frame, below the frame's caption.
constexpr int ContainerInsetX = 5;
constexpr int ContainerInsetY = 15;
constexpr int ContainerX = FrameX + ContainerInsetX;
constexpr int ContainerWidth = FrameWidth - 2 * ContainerInsetX;
constexpr int ContainerHeightLoss = 20;

constexpr int CheckBoxX = 5;
constexpr int CheckBoxWidth = 100;
// "使用颜色做背景" needs more than 100 pixels; it is last in its row, so it grows to the right.
constexpr int ColourBoxWidth = 115;
constexpr int CheckBoxHeight = 20;
constexpr int FirstRowY = 5;
constexpr int SecondRowY = 30;

constexpr int LabelGap = 10;
constexpr int LabelDrop = 4;
constexpr int LabelX = CheckBoxX + CheckBoxWidth + LabelGap;
constexpr int LabelY = SecondRowY + LabelDrop;
constexpr int LabelWidth = 85;
constexpr int LabelHeight = 20;

constexpr int SliderDrop = 3;
constexpr int SliderX = LabelX + LabelWidth;
constexpr int SliderY = SecondRowY + SliderDrop;
constexpr int SliderWidth = 220;
constexpr int SliderHeight = 20;

constexpr int VolumePerPercent = 10;

// The window size's label and drop-down share the first column pair; full screen takes the
// third column.
constexpr int SizeLabelY = FirstRowY + LabelDrop;
constexpr int SizeLabelWidth = 55;
constexpr int SizeListX = CheckBoxX + SizeLabelWidth;
constexpr int SizeListY = 3;
constexpr int SizeListWidth = 80;
constexpr int SizeListHeight = 20;

// The language's label and drop-down stand below the window size's, the note about the next
// start after them, to the container's right edge.
constexpr int LanguageLabelY = SecondRowY + LabelDrop;
constexpr int LanguageListY = SizeListY + SecondRowY - FirstRowY;
constexpr int LanguageNoteX = SizeListX + SizeListWidth + LabelGap;
constexpr int LanguageNoteWidth = ContainerWidth - CheckBoxX - LanguageNoteX;


// The layout was made for a 12-pixel font whose Latin letters are half as wide as a Chinese
// one: in it every caption fits its box, "设置音量：100%" included.
constexpr const char* SettingsFontFace = "WenQuanYi Zen Hei Mono";
constexpr int SettingsFontPixels = 12;

constexpr const char* SettingsTitle = "游戏设置";
constexpr const char* VolumeLabel = "设置音量：%1%";
constexpr const char* PictureFolderPrompt = "请选择图片所在目录，游戏每过一关将更换一张图片。";
constexpr const char* MusicFolderPrompt = "请选择音乐所在目录。";
constexpr const char* FolderStart = "C:\\";
// The choices of the language list, in the order of LanguageSettings.
constexpr const char* LanguageChoices[] = {"自动", "中文", "English"};
constexpr const char* LanguageNote = "下次启动时生效";

constexpr int CancelledColour = -1;


// The check box of choice i of a row of alternatives.
constexpr int CheckBoxXOf(int i) { return CheckBoxX + i * CheckBoxWidth; }

std::string VolumeLabelText(int volume) {
  return TranslateText(VolumeLabel, {volume / VolumePerPercent});
}

std::string CatalogueFolderPath() { return gFiles.appDirectory + CatalogueFolder; }

// The index of the language setting in the list, or -1.
int IndexOfLanguage(const std::string& setting) {
  for (int i = 0; i < static_cast<int>(std::size(LanguageSettings)); ++i)
    if (setting == LanguageSettings[i]) return i;
  return -1;
}

// A chosen language other than the one in use speaks from the next start on: the window says
// so in that language.
std::string LanguageNoteText() {
  const std::string chosen = ChooseLanguage(gSettings.language, CatalogueFolderPath());
  if (chosen == CurrentLanguage()) return {};
  return TranslateTextInto(chosen, LanguageNote, CatalogueFolderPath());
}

// ---- Reading ----------------------------------------------------------------------------------



// The offered sizes that fit the screen: those up to the first that does not.
int CountFittingScales() {
  int count = 1;
  while (count < static_cast<int>(std::size(WindowScales)) &&
         CanScaleWindow(GameWindow, WindowScales[count]))
    ++count;
  return count;
}

// The index of the scale among the offered sizes, or -1.
int IndexOfScale(int scale) {
  for (int i = 0; i < static_cast<int>(std::size(WindowScales)); ++i)
    if (WindowScales[i] == scale) return i;
  return -1;
}

}  // namespace


// ---- The game window's size -------------------------------------------------------------------

void ApplyWindowSettings() {
  const int fitting = CountFittingScales();
  const int saved = IndexOfScale(gSettings.windowScale);
  gSettings.windowScale = WindowScales[std::min(std::max(saved, 0), fitting - 1)];
  if (gSettings.windowScale != OwnWindowScale) SetWindowScale(GameWindow, gSettings.windowScale);
  if (gSettings.fullScreen) SetWindowFullScreen(GameWindow, true);
}

void ApplyLanguageSetting() {
  const std::string folder = CatalogueFolderPath();
  UseLanguage(ChooseLanguage(gSettings.language, folder), folder);
  SetPictureLanguage(CurrentLanguage() == OriginalLanguage ? std::string() : CurrentLanguage());
}

void SwitchFullScreen(bool on) {
  SaveSwitch(WindowSection, FullScreenKey, gSettings.fullScreen, on);
  SetWindowFullScreen(GameWindow, on);
}

// ---- The window -------------------------------------------------------------------------------

void OpenSettingsWindow() {
  if (!OpenWindow(SettingsWindow, SettingsWidth, SettingsHeight, TranslateText(SettingsTitle), 0,
                  GameWindow)) {
    return;
  }
  ShowSystemCursor();
  UseGadgetList(SettingsWindow);

  FrameGadget(GadgetBackgroundFrame, FrameX, BackgroundFrameY, FrameWidth, BackgroundFrameHeight,
              TranslateText("背景设置"));
  ContainerGadget(GadgetBackgroundBox, ContainerX, BackgroundFrameY + ContainerInsetY,
                  ContainerWidth, BackgroundFrameHeight - ContainerHeightLoss);
  CheckBoxGadget(GadgetDefaultPictures, CheckBoxXOf(0), FirstRowY, CheckBoxWidth, CheckBoxHeight,
                 TranslateText("默认背景图片"));
  CheckBoxGadget(GadgetOwnPictures, CheckBoxXOf(1), FirstRowY, CheckBoxWidth, CheckBoxHeight,
                 TranslateText("自选背景图片"));
  CheckBoxGadget(GadgetColourBackground, CheckBoxXOf(2), FirstRowY, ColourBoxWidth, CheckBoxHeight,
                 TranslateText("使用颜色做背景"));
  CloseGadgetList();

  FrameGadget(GadgetSoundFrame, FrameX, SoundFrameY, FrameWidth, SoundFrameHeight,
              TranslateText("声音设置"));
  ContainerGadget(GadgetSoundBox, ContainerX, SoundFrameY + ContainerInsetY, ContainerWidth,
                  SoundFrameHeight - ContainerHeightLoss);
  CheckBoxGadget(GadgetMusicSwitch, CheckBoxXOf(0), FirstRowY, CheckBoxWidth, CheckBoxHeight,
                 TranslateText("游戏音乐开关"));
  CheckBoxGadget(GadgetDefaultMusic, CheckBoxXOf(1), FirstRowY, CheckBoxWidth, CheckBoxHeight,
                 TranslateText("默认背景音乐"));
  CheckBoxGadget(GadgetOwnMusic, CheckBoxXOf(2), FirstRowY, CheckBoxWidth, CheckBoxHeight,
                 TranslateText("自选背景音乐"));
  CheckBoxGadget(GadgetEffectsSwitch, CheckBoxXOf(0), SecondRowY, CheckBoxWidth, CheckBoxHeight,
                 TranslateText("游戏音效开关"));
  TextGadget(GadgetVolumeLabel, LabelX, LabelY, LabelWidth, LabelHeight,
             VolumeLabelText(MediaFullVolume / 2));
  TrackBarGadget(GadgetVolumeSlider, SliderX, SliderY, SliderWidth, SliderHeight, 0,
                 MediaFullVolume);
  CloseGadgetList();

  FrameGadget(GadgetDisplayFrame, FrameX, DisplayFrameY, FrameWidth, DisplayFrameHeight,
              TranslateText("显示设置"));
  ContainerGadget(GadgetDisplayBox, ContainerX, DisplayFrameY + ContainerInsetY, ContainerWidth,
                  DisplayFrameHeight - ContainerHeightLoss);
  TextGadget(GadgetWindowSizeLabel, CheckBoxX, SizeLabelY, SizeLabelWidth, LabelHeight,
             TranslateText("窗口大小"));
  ComboBoxGadget(GadgetWindowSize, SizeListX, SizeListY, SizeListWidth, SizeListHeight);
  const int fitting = CountFittingScales();
  for (int i = 0; i < fitting; ++i)
    AddGadgetItem(GadgetWindowSize, std::to_string(WindowScales[i]) + "%");
  CheckBoxGadget(GadgetFullScreen, CheckBoxXOf(2), FirstRowY, CheckBoxWidth, CheckBoxHeight,
                 TranslateText("全屏显示"));
  TextGadget(GadgetLanguageLabel, CheckBoxX, LanguageLabelY, SizeLabelWidth, LabelHeight,
             TranslateText("语言"));
  ComboBoxGadget(GadgetLanguage, SizeListX, LanguageListY, SizeListWidth, SizeListHeight);
  for (const char* choice : LanguageChoices) AddGadgetItem(GadgetLanguage, TranslateText(choice));
  SetGadgetState(GadgetLanguage, IndexOfLanguage(gSettings.language));
  TextGadget(GadgetLanguageNote, LanguageNoteX, LanguageLabelY, LanguageNoteWidth, LabelHeight,
             LanguageNoteText());
  CloseGadgetList();
  for (int gadget : {GadgetBackgroundFrame, GadgetBackgroundBox, GadgetSoundFrame, GadgetSoundBox,
                     GadgetDisplayFrame, GadgetDisplayBox})
    SetGadgetFont(gadget, SettingsFontFace, SettingsFontPixels);

  RefreshSettingsWindow();
}

void RefreshSettingsWindow() {
  const int backgroundBoxes[] = {GadgetDefaultPictures, GadgetOwnPictures, GadgetColourBackground};
  for (int i = 0; i < static_cast<int>(std::size(backgroundBoxes)); ++i) {
    SetGadgetState(backgroundBoxes[i], gSettings.backgroundType == i ? 1 : 0);
  }
  const int musicBoxes[] = {GadgetDefaultMusic, GadgetOwnMusic};
  for (int i = 0; i < static_cast<int>(std::size(musicBoxes)); ++i) {
    SetGadgetState(musicBoxes[i], gSettings.musicSourceType == i ? 1 : 0);
  }
  SetGadgetState(GadgetVolumeSlider, gSettings.volume);
  SetGadgetText(GadgetVolumeLabel, VolumeLabelText(gSettings.volume));
  SetGadgetState(GadgetMusicSwitch, gSettings.musicOn);
  SetGadgetState(GadgetEffectsSwitch, gSettings.effectsOn);
  SetGadgetState(GadgetWindowSize, IndexOfScale(gSettings.windowScale));
  SetGadgetState(GadgetFullScreen, gSettings.fullScreen);
}

void CloseSettingsWindow() {
  HideSystemCursor();
  CloseWindow(SettingsWindow);
}

// ---- The gadget handler -----------------------------------------------------------------------

void HandleSettingsGadget(int gadget) {
  switch (gadget) {
    case GadgetDefaultPictures:
      gSettings.backgroundType = 0;
      SaveSetting("Images", "Type", "0");
      ChooseBackground();
      break;
    case GadgetOwnPictures: {
      const std::string folder = ChooseFolder(TranslateText(PictureFolderPrompt), FolderStart);
      if (folder.empty()) break;
      gSettings.backgroundType = 1;
      SaveSetting("Images", "Type", "1");
      SaveSetting("Images", "Path", folder);
      gSettings.pictureDirectory = folder;
      ChooseBackground();
      break;
    }
    case GadgetColourBackground: {
      const int colour = ChooseColour(gSettings.backgroundColour);
      if (colour == CancelledColour) break;
      gSettings.backgroundType = 2;
      gSettings.backgroundColour = colour;
      SaveSetting("Images", "Type", "2");
      SaveSetting("Images", "Color", std::to_string(colour));
      ChooseBackground();
      break;
    }
    case GadgetMusicSwitch:
      SaveSwitch("Sound", "Yinyue", gSettings.musicOn, GadgetState(GadgetMusicSwitch) != 0);
      if (gSettings.musicOn == 0)
        CloseSound(MusicAlias);
      else
        MusicCheck();
      break;
    case GadgetDefaultMusic:
      SaveSetting("Sound", "Type", "0");
      gSettings.musicSourceType = 0;
      CloseSound(MusicAlias);
      MusicCheck();
      break;
    case GadgetOwnMusic: {
      const std::string folder = ChooseFolder(TranslateText(MusicFolderPrompt), FolderStart);
      if (folder.empty()) break;
      SaveSetting("Sound", "Type", "1");
      SaveSetting("Sound", "Path", folder);
      gSettings.musicSourceType = 1;
      gSettings.musicDirectory = folder;
      CloseSound(MusicAlias);
      MusicCheck();
      break;
    }
    case GadgetEffectsSwitch:
      SaveSwitch("Sound", "Yinxiao", gSettings.effectsOn, GadgetState(GadgetEffectsSwitch) != 0);
      break;
    case GadgetVolumeSlider:
      gSettings.volume = GadgetState(GadgetVolumeSlider);
      SetMediaVolume(MusicAlias, gSettings.volume);
      SetGadgetText(GadgetVolumeLabel, VolumeLabelText(gSettings.volume));
      SaveSetting("Sound", "Yinliang", std::to_string(gSettings.volume));
      break;
    case GadgetWindowSize: {
      const int index = GadgetState(GadgetWindowSize);
      if (index < 0 || index >= CountGadgetItems(GadgetWindowSize)) break;
      if (!SetWindowScale(GameWindow, WindowScales[index])) break;
      gSettings.windowScale = WindowScales[index];
      SaveSetting(WindowSection, ScaleKey, std::to_string(gSettings.windowScale));
      break;
    }
    case GadgetFullScreen: SwitchFullScreen(GadgetState(GadgetFullScreen) != 0); break;
    case GadgetLanguage: {
      const int index = GadgetState(GadgetLanguage);
      if (index < 0 || index >= static_cast<int>(std::size(LanguageSettings))) break;
      gSettings.language = LanguageSettings[index];
      SaveSetting(WindowSection, LanguageKey, gSettings.language);
      SetGadgetText(GadgetLanguageNote, LanguageNoteText());
      break;
    }
    default:
      break;
  }
}
