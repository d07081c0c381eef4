// Sprite numbers of the game. Every sprite is prepared once at start-up, except the background,
// which every background choice replaces.
#pragma once

enum GameSprite {
  SpriteBackground = 1,        // 930 x 625, the current background
  SpriteBottomBar = 2,         // Images\xiabg.png at (0, 550)
  SpriteHelpPanel = 3,         // Images\shuoming.png zoomed to 880 x 490
  SpriteShadow = 4,            // Images\yinying.png under every tile
  SpriteSettingsButton = 5,    // Images\Shezhi.png at (835, 5)
  SpriteStar = 6,              // Images\xing.png
  SpriteStar2 = 7,             // Images\xing1.png
  SpriteIntroCard1 = 8,        // built: brand logo on yellow
  SpriteIntroCard2 = 9,        // built: white lettering on yellow
  SpritePopupDigit0 = 10,      // 10..19: Images\Shuzi\0..9.png, the score pop-up digits
  SpritePopupSign = 20,        // Images\Shuzi\10.png before the pop-up digits
  SpritePanelButton1 = 21,     // 21..25: hint, bomb, shuffle, pause, main menu
  SpritePauseButtonPaused = 26,
  SpriteCaptionScore = 30,
  SpriteCaptionTime = 31,
  SpriteCaptionTileCount = 32,
  SpriteCaptionRemaining = 33,
  SpriteClockColon = 34,
  SpritePausePicture = 35,
  SpritePreviousLevel = 36,
  SpriteNextLevel = 37,
  SpriteCaptionLevelBefore = 38,   // 第
  SpriteCaptionLevelAfter = 39,    // 关
  SpriteSmallDigit0 = 40,      // 40..49
  SpriteLargeDigit0 = 50,      // 50..59
  SpriteItemDigit0 = 60,       // 60..69
  SpriteExplosion1 = 71,       // 71..86: the 16 frames of the bomb
  SpriteMenuButton1 = 90,      // 90..96: the seven main-menu buttons
  SpriteLoadingFrame = 97,
  SpriteLoadingBar = 98,
  SpriteTitleBanner = 99,
  SpriteFace0 = 100,           // face f normal: 100 + f (101..142)
  SpriteFaceHighlighted0 = 200, // face f highlighted: 200 + f (201..242)
  SpriteSmallFace0 = 301,      // small face f: 301 + f (302..343)
  SpriteAnimation1 = 501,      // 501..505: Images\Donghua\11..15.png
  SpriteParticle = 504,        // the removal particle
  SpritePointer = 600,         // Images\Mouse.png
  SpriteFrameCache = 700,      // the kept lower part of the frame
};

