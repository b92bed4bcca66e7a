#include <gtest/gtest.h>

#include "services/vtHighScoreInput.h"
#include "services/vtHighScoreName.h"
#include "support/vtFakeMedia.h"

namespace quellix {
namespace {

using testing::TFakeDisplay;

TEST(EnterHighScore, TypingAppendsAnyPrintableCharacterUntrimmed) {
  TfrmEnterHighScore window;
  window.TextInput(" Zoë");
  window.TextInput(", \"the\" 1st ");
  window.TextInput("日本");
  EXPECT_EQ(window.NameText(), " Zoë, \"the\" 1st 日本");
  EXPECT_FALSE(window.Closed());
}

TEST(EnterHighScore, ControlCharactersAndMalformedUtf8AreDropped) {
  TfrmEnterHighScore window;
  window.TextInput("a\tb\r\n\x7f");
  window.TextInput("\xc2\x85");      // a C1 control character
  window.TextInput("\x80\xff\xc3");  // stray continuation, invalid byte, cut sequence
  window.TextInput("\xc0\xaf");      // overlong '/'
  window.TextInput("\xed\xa0\x80");  // a surrogate
  window.TextInput("c");
  EXPECT_EQ(window.NameText(), "abc");
}

TEST(EnterHighScore, ALongNameIsKeptWholeAndCountedInCharacters) {
  TfrmEnterHighScore window;
  const std::string sixty = std::string(40, 'a') + "0123456789é€😀日本abcde";
  window.TextInput(sixty);
  EXPECT_EQ(window.NameText(), sixty);
  EXPECT_EQ(NameCharacters(window.NameText()), 60u);
  EXPECT_EQ(CleanHighScoreName("\x01" + sixty + "\t"), sixty);
}

TEST(EnterHighScore, BackspaceRemovesWholeCharacters) {
  TfrmEnterHighScore window;
  window.TextInput("aé€😀");
  window.KeyDown(VK_BACK);
  EXPECT_EQ(window.NameText(), "aé€");
  window.KeyDown(VK_BACK);
  EXPECT_EQ(window.NameText(), "aé");
  window.KeyDown(VK_BACK);
  EXPECT_EQ(window.NameText(), "a");
  window.KeyDown(VK_BACK);
  window.KeyDown(VK_BACK);  // nothing left: no effect
  EXPECT_EQ(window.NameText(), "");
  window.KeyUp(VK_BACK);
  EXPECT_FALSE(window.Closed());
}

TEST(EnterHighScore, OnlyReleasingEnterClosesIt) {
  TfrmEnterHighScore window;
  for (int32_t key : {int32_t(VK_ESCAPE), int32_t(VK_SPACE), int32_t(VK_TAB), 65}) {
    window.KeyDown(key);
    window.KeyUp(key);
  }
  window.KeyDown(VK_RETURN);
  EXPECT_FALSE(window.Closed());
  EXPECT_EQ(window.ModalResult(), mrNone);
  window.KeyUp(VK_RETURN);
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(window.ModalResult(), mrOk);
}

TEST(EnterHighScore, PaintsOnlyItsTextsNameAndCaretCentredOnTheScreen) {
  TFakeDisplay display;
  TfrmEnterHighScore window;
  window.TextInput("Ann");
  window.Paint(display);

  const int32_t left = (800 - 430) / 2, top = (600 - 68) / 2;
  const auto& texts = display.CanvasFake.Texts;
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0].Text, "Congratulations!  You have a high score.");
  EXPECT_EQ(texts[0].X, left + 6);
  EXPECT_EQ(texts[0].Y, top + 4);
  EXPECT_EQ(texts[1].Text, "Name:");
  EXPECT_EQ(texts[1].X, left + 54);
  EXPECT_EQ(texts[1].Y, top + 34);
  for (const auto& t : texts) {
    EXPECT_EQ(t.Font.Name, "Thehits");
    EXPECT_EQ(t.Font.Height, 19);
    EXPECT_EQ(t.Font.Color, 15841603u);
    EXPECT_EQ(t.Brush.Style, TBrushStyle::Clear);  // black shows the game through
  }
  const TRect field = Bounds(left + 128, top + 32, 225, 32);
  EXPECT_EQ(texts[2].Text, "Ann");
  EXPECT_TRUE(texts[2].Clipped);
  EXPECT_EQ(texts[2].Clip, field);
  EXPECT_EQ(texts[2].X, field.Left + 2);

  // Nothing is filled but the caret right after the name.
  EXPECT_TRUE(display.Fills.empty());
  ASSERT_EQ(display.Rects.size(), 1u);
  EXPECT_EQ(display.Rects[0].Rect.Left, field.Left + 2 + 24);
  EXPECT_EQ(display.Rects[0].Rect.Width(), 1);
  EXPECT_GT(display.Rects[0].Rect.Height(), 0);
  EXPECT_LE(display.Rects[0].Rect.Bottom, field.Bottom);
  EXPECT_EQ(display.Rects[0].Color, 15841603u);
  EXPECT_EQ(display.CanvasFake.Releases, 1);
}

TEST(EnterHighScore, TheCaretBlinksAndALongNameKeepsItsEndInView) {
  TFakeDisplay display;
  TfrmEnterHighScore window;
  window.TextInput(std::string(40, 'W'));  // 320 pixels in a 225 pixel field
  for (int i = 0; i < 48; ++i) window.Paint(display);
  EXPECT_EQ(display.Rects.size(), 24u);  // shown half of the time

  const TRect field = Bounds(185 + 128, 266 + 32, 225, 32);
  const auto& name = display.CanvasFake.Texts[2];
  EXPECT_EQ(name.X + 320, field.Right - 3);
  EXPECT_EQ(name.Clip, field);
  EXPECT_EQ(display.Rects[0].Rect.Left, field.Right - 3);
}

TEST(EnterHighScore, AFailedPaintReleasesTheCanvas) {
  TFakeDisplay display;
  TfrmEnterHighScore window;
  display.CanvasFake.FailNextText = true;
  EXPECT_THROW(window.Paint(display), std::runtime_error);
  EXPECT_EQ(display.CanvasFake.Releases, 1);
}

}  // namespace
}  // namespace quellix
