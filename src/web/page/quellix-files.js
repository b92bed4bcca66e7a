// The game's files in the page (a --pre-js of quellix.js, run before the program).
// - The user folder, where the game writes its log, high scores and settings, is kept in
//   the browser's storage (IndexedDB through Emscripten's IDBFS): read before the
//   program starts, and written back at once after every file the game replaces (each
//   save ends with a rename, base/vtAtomicFile), the log a moment after it grows. Where
//   the browser refuses its storage the files live as long as the page; the game says so.
// - Every line of the game's log goes to the browser's console as well.
// - ?replay=URL: the recorded session is fetched and played (--replay); ?motion=STYLE
//   draws as --motion STYLE does.

var quellixStorage = { refused: false, reason: '' };

(function () {
  const userDir = '/home/web_user/.local/share/quellix';
  const logSeparator = '----------------------------------------';
  const logStamp = /^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$/;
  const logDelay = 1000;
  let syncing = false;
  let syncAgain = false;
  let logTimer = 0;
  let logLine = '';

  function refuse(error) {
    quellixStorage.refused = true;
    quellixStorage.reason = String(error && error.message ? error.message : error);
    console.warn('Quellix: the browser keeps no files for this page: ' + quellixStorage.reason);
  }
  // One write-back at a time; a request during one runs once it is done.
  function sync() {
    if (quellixStorage.refused) return;
    if (syncing) {
      syncAgain = true;
      return;
    }
    syncing = true;
    FS.syncfs(false, (error) => {
      syncing = false;
      if (error) refuse(error);
      else if (syncAgain) {
        syncAgain = false;
        sync();
      }
    });
  }
  function inUserDir(path) {
    return typeof path === 'string' && path.startsWith(userDir + '/');
  }
  // The log's entries are a time stamp, the message and a separator line: the console
  // gets the messages.
  function echoLog(text) {
    const lines = (logLine + text).split('\n');
    logLine = lines.pop();
    for (const line of lines)
      if (line !== logSeparator && !logStamp.test(line)) console.log(line.replace(/\r/g, '\n'));
  }

  Module.preRun = [].concat(Module.preRun || [], function () {
    FS.mkdirTree(userDir);
    FS.mount(IDBFS, {}, userDir);
    addRunDependency('quellix-storage');
    try {
      FS.syncfs(true, (error) => {
        if (error) refuse(error);
        removeRunDependency('quellix-storage');
      });
    } catch (error) {
      refuse(error);
      removeRunDependency('quellix-storage');
    }

    const rename = FS.rename;
    FS.rename = function (from, to) {
      const result = rename.apply(FS, arguments);
      if (inUserDir(to)) sync();
      return result;
    };
    const write = FS.write;
    FS.write = function (stream, buffer, offset, length) {
      const written = write.apply(FS, arguments);
      if (stream.path && stream.path.endsWith('/log.txt')) {
        echoLog(UTF8ArrayToString(buffer, offset, written));
        if (inUserDir(stream.path) && !logTimer)
          logTimer = setTimeout(() => {
            logTimer = 0;
            sync();
          }, logDelay);
      }
      return written;
    };
    // The log as it stands when the page goes away or out of sight.
    addEventListener('visibilitychange', () => {
      if (document.hidden) sync();
    });

    const replayUrl = quellixPage.replayUrl;
    if (replayUrl) {
      addRunDependency('quellix-replay');
      fetch(replayUrl)
        .then((response) => {
          if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
          return response.arrayBuffer();
        })
        .then((bytes) => {
          FS.mkdirTree('/replay');
          FS.writeFile(quellixReplayFile, new Uint8Array(bytes));
          removeRunDependency('quellix-replay');
        })
        .catch((error) => quellixPage.fatal(`The replay ${replayUrl} could not be fetched: ${error.message}`));
    }
  });
})();

// The replay keeps its name, which the game's messages about it show.
var quellixReplayFile = quellixPage.replayUrl &&
  '/replay/' + (new URL(quellixPage.replayUrl, location.href).pathname.split('/').pop() || 'session.replay');
// The game's options the page takes: ?replay=URL and ?motion=smooth|classic.
Module.arguments = [];
if (quellixPage.motion) Module.arguments.push('--motion', quellixPage.motion);
if (quellixPage.replayUrl) Module.arguments.push('--replay', quellixReplayFile);
