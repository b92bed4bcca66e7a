// The page the game runs in, as the game's browser glue sees it: the few things it tells
// the page and asks of it. The page's side is src/web/page/quellix-library.js, which
// passes each call on to the page's script (quellix-page.js).
#pragma once

#include <string>

extern "C" {
void quellix_page_progress(const char* text, int position, int maximum);
void quellix_page_message(const char* text);
void quellix_page_ready();
void quellix_page_fatal(const char* text);
int quellix_page_active(int needsPointerLock);
int quellix_page_storage_refused();
void quellix_page_news(const char* text);
void quellix_page_offer_recording(const char* name, const char* text, int score, int level);
void quellix_page_ended(const char* text);
}

namespace quellix::web {

// The loading bar: a line of text and how far it has come.
inline void PageProgress(const std::string& text, int position, int maximum) {
  quellix_page_progress(text.c_str(), position, maximum);
}
// A message box of the game, shown as a dialog in the page; the game goes on beneath it.
inline void PageMessage(const std::string& text) {
  quellix_page_message(text.c_str());
}
// Start-up has reached the title: the loading bar gives way to "click to play".
inline void PageReady() {
  quellix_page_ready();
}
// Start-up failed: the page shows why instead of the game.
inline void PageFatal(const std::string& text) {
  quellix_page_fatal(text.c_str());
}
// Whether the game may run now: the page is visible and the player has clicked to play,
// and, where `needsPointerLock`, the pointer is locked to the game.
inline bool PageActive(bool needsPointerLock) {
  return quellix_page_active(needsPointerLock ? 1 : 0) != 0;
}
// The browser refused its storage: the files written last only as long as the page.
inline bool PageStorageRefused() {
  return quellix_page_storage_refused() != 0;
}
// What the game is doing, for the page's status line and the console: a game started,
// the game over, the name window open.
inline void PageNews(const std::string& text) {
  quellix_page_news(text.c_str());
}
// A game has ended: the page offers `text`, the session's recording, as the file `name`.
inline void PageOfferRecording(const std::string& name, const std::string& text, int score,
                               int level) {
  quellix_page_offer_recording(name.c_str(), text.c_str(), score, level);
}
// The program has ended (the title's quit, the end of a replay), with a word why.
inline void PageEnded(const std::string& text) {
  quellix_page_ended(text.c_str());
}

}  // namespace quellix::web
