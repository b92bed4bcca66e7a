// What the game asks of its page (src/web/vtPage.h), passed on to the page's script
// (quellix-page.js) and to the page's files (quellix-files.js). A --js-library of the
// page's build.
mergeInto(LibraryManager.library, {
  quellix_page_progress: function (text, position, maximum) {
    quellixPage.progress(UTF8ToString(text), position, maximum);
  },
  quellix_page_message: function (text) {
    quellixPage.message(UTF8ToString(text));
  },
  quellix_page_ready: function () {
    quellixPage.ready();
  },
  quellix_page_fatal: function (text) {
    quellixPage.fatal(UTF8ToString(text));
  },
  quellix_page_active: function (needsPointerLock) {
    return quellixPage.active(needsPointerLock !== 0) ? 1 : 0;
  },
  quellix_page_storage_refused: function () {
    return quellixStorage.refused ? 1 : 0;
  },
  quellix_page_news: function (text) {
    quellixPage.news(UTF8ToString(text));
  },
  quellix_page_offer_recording: function (name, text, score, level) {
    quellixPage.offerRecording(UTF8ToString(name), UTF8ToString(text), score, level);
  },
  quellix_page_ended: function (text) {
    quellixPage.ended(UTF8ToString(text));
  },
});
