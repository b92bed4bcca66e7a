// The page around the game (quellix.js): the loading bar, "click to play", the canvas
// scaled to the window with letterbox bars, full screen, the game's message boxes as a
// dialog that does not wait, the pause when the pointer is let go, the offer of each
// game's recording, and a fatal error shown on the page. The game calls quellixPage
// through quellix-library.js; quellix-files.js (run inside quellix.js) keeps the files.
'use strict';

var quellixPage = (function () {
  const $ = (id) => document.getElementById(id);
  const canvas = $('canvas');
  const stage = $('stage');
  const search = new URLSearchParams(location.search);
  const replayUrl = search.get('replay');
  let started = false; // the player has clicked to play
  let ready = false; // start-up has reached the title (or the replay can start)
  let over = false; // the program has ended or failed
  let recordingUrl = null;

  function show(id, shown) {
    $(id).hidden = !shown;
  }
  function locked() {
    return document.pointerLockElement === canvas;
  }
  // The canvas as large as the stage allows at 4:3; the rest stays black.
  function fit() {
    const scale = Math.min(stage.clientWidth / 800, stage.clientHeight / 600);
    canvas.style.width = Math.max(1, Math.floor(800 * scale)) + 'px';
    canvas.style.height = Math.max(1, Math.floor(600 * scale)) + 'px';
  }
  function lock() {
    if (replayUrl || over || locked()) return;
    const request = canvas.requestPointerLock();
    if (request && request.catch) request.catch(() => updatePause());
  }
  function updatePause() {
    show('paused', started && ready && !over && !replayUrl && !locked());
  }
  function toggleFullscreen() {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    else document.documentElement.requestFullscreen().catch(() => {});
  }
  function stop() {
    over = true;
    for (const id of ['loading', 'start', 'paused']) show(id, false);
    if (locked()) document.exitPointerLock();
  }

  $('start').addEventListener('click', () => {
    started = true;
    show('start', false);
    canvas.focus();
    lock();
  });
  $('paused').addEventListener('click', lock);
  $('fullscreen').addEventListener('click', toggleFullscreen);
  $('message-ok').addEventListener('click', () => {
    $('message').close();
    $('message-text').replaceChildren();
  });
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());
  document.addEventListener('pointerlockchange', updatePause);
  document.addEventListener('pointerlockerror', updatePause);
  document.addEventListener('fullscreenchange', () => {
    $('fullscreen').textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
    fit();
  });
  // Alt+Enter switches full screen as on the desktop; the key goes on to the game,
  // which knows it for a switch and does not take it for a key of its own.
  window.addEventListener('keydown', (event) => {
    if (event.key === 'Enter' && event.altKey && !event.repeat) toggleFullscreen();
  }, true);
  window.addEventListener('resize', fit);
  window.addEventListener('error', (event) => page.fatal(String(event.message)));
  fit();

  const page = {
    replayUrl: replayUrl,
    motion: search.get('motion'),
    progress(text, position, maximum) {
      $('loading-text').textContent = text;
      $('loading-bar').max = maximum;
      $('loading-bar').value = position;
    },
    message(text) {
      const line = document.createElement('p');
      line.textContent = text;
      $('message-text').append(line);
      if (!$('message').open) $('message').show();
    },
    ready() {
      if (over) return;
      ready = true;
      show('loading', false);
      $('start').textContent = replayUrl ? 'Click to watch the replay' : 'Click to play';
      show('start', !started);
      updatePause();
    },
    fatal(text) {
      stop();
      $('fatal-text').textContent = text;
      show('fatal', true);
    },
    active(needsPointerLock) {
      return started && !over && !document.hidden && (!needsPointerLock || locked());
    },
    news(text) {
      $('news').textContent = text;
      console.log('Quellix: ' + text);
    },
    offerRecording(name, text, score, level) {
      if (recordingUrl) URL.revokeObjectURL(recordingUrl);
      recordingUrl = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
      const link = $('recording');
      link.href = recordingUrl;
      link.download = name;
      link.textContent = `Save the recording of the last game (score ${score}, level ${level})`;
      link.hidden = false;
      console.log(`Quellix: the recording of the game is offered as ${name}`);
    },
    ended(text) {
      stop();
      $('ended-text').textContent = text;
      show('ended', true);
    },
  };
  return page;
})();

var Module = {
  canvas: document.getElementById('canvas'),
  print: (text) => console.log(text),
  printErr: (text) => console.error(text),
  // The data file's download, as Emscripten's loader reports it: "... (done/total)".
  setStatus(status) {
    const counts = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(status);
    if (counts) quellixPage.progress('Loading Quellix...', Number(counts[1]), Number(counts[2]));
  },
  monitorRunDependencies(left) {
    if (left === 0) quellixPage.progress('Starting Quellix...', 1, 1);
  },
  onAbort: (what) => quellixPage.fatal('Quellix stopped: ' + what),
};
