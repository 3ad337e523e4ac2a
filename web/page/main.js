// The player page: opening files, the controls, the keyboard, the info panel
// and the frame table. The page's parameters:
//   ?src=URL        play this stream (relative to the page)
//   ?build=simd|scalar   force one build of the decoder (default: the best that runs)
//   ?wasm=URL       the folder holding xqm_simd.wasm and xqm_scalar.wasm

import { XqmPlayer, nameFromUrl } from '../player/xqm-player.js';
import { clockText, frameFileName, framesText, pixelTypeText, rateText } from './format.js';

const $ = (id) => document.getElementById(id);
const params = new URLSearchParams(location.search);

$('needs-script').hidden = true;
document.documentElement.classList.add('scripted');

const canvas = $('video');
const screen = $('screen');
const controls = {
  play: $('play'),
  back: $('step-back'),
  forward: $('step-forward'),
  seek: $('seek'),
  clock: $('clock'),
  speed: $('speed'),
  scale: $('scale'),
  fullscreen: $('fullscreen'),
  save: $('save'),
};
const tableBody = $('frames').tBodies[0];
let rows = [];
let highlighted = null;
let scrubbing = false;
const damagedFrames = new Set();

const options = {};
if (params.has('build')) options.build = params.get('build');
if (params.has('wasm')) options.wasmBase = new URL(params.get('wasm'), location.href);
const player = new XqmPlayer(canvas, options);
window.player = player;

function setState(state) {
  document.body.dataset.state = state;
  const ready = state === 'ready';
  for (const control of [controls.play, controls.back, controls.forward, controls.seek, controls.save]) {
    control.disabled = !ready;
  }
}

function showMessage(text) {
  const box = $('message');
  box.textContent = text;
  box.hidden = !text;
}

function clearDamage() {
  damagedFrames.clear();
  $('damaged').replaceChildren();
  $('damage').hidden = true;
}

// One line per damaged frame, however often playback passes it.
function addDamage(message, frame) {
  const key = frame ?? message;
  if (damagedFrames.has(key)) return;
  damagedFrames.add(key);
  const item = document.createElement('li');
  item.textContent = message;
  if (frame != null) {
    item.dataset.frame = frame;
    item.title = 'Go to this frame';
    item.addEventListener('click', () => player.seekToFrame(frame));
    rows[frame]?.classList.add('damaged');
  }
  $('damaged').append(item);
  $('damage').hidden = false;
}

// ---- loading ---------------------------------------------------------------

async function open(src, name) {
  setState('loading');
  showMessage('');
  clearDamage();
  clearInfo();
  $('file-name').textContent = name;
  $('info-name').textContent = name;
  try {
    await player.load(src, { name });
  } catch (error) {
    if (error.name === 'AbortError') return; // another file was opened meanwhile
    setState('error');
    showMessage(error.message);
    return;
  }
  fillInfo(name);
  setState('ready');
  updatePosition();
}

function clearInfo() {
  for (const id of ['info-pixels', 'info-size', 'info-rate', 'info-length', 'info-position']) $(id).textContent = '–';
  tableBody.replaceChildren();
  rows = [];
  highlighted = null;
  controls.seek.max = 0;
  controls.seek.value = 0;
  controls.clock.textContent = `${clockText(0)} / ${clockText(0)}`;
}

function fillInfo(name) {
  const info = player.info;
  $('info-name').textContent = name;
  $('info-pixels').textContent = pixelTypeText(info.pixelType);
  $('info-size').textContent = `${info.width}x${info.height}`;
  $('info-rate').textContent = rateText(info.rate);
  $('info-length').textContent = framesText(info.frameCount, info.duration);
  $('info-build').textContent = `${player.build === 'simd' ? 'SIMD' : 'scalar'} build, ${player.kernels} kernels`;
  screen.style.setProperty('--aspect', `${info.width} / ${info.height}`);
  controls.seek.max = Math.max(0, info.frameCount - 1);

  const fragment = document.createDocumentFragment();
  rows = info.frames.map((frame, n) => {
    const row = document.createElement('tr');
    row.dataset.frame = n;
    row.className = frame.kind;
    for (const text of [n, frame.kind, frame.quality, frame.size]) {
      const cell = document.createElement('td');
      cell.textContent = text;
      row.append(cell);
    }
    fragment.append(row);
    return row;
  });
  tableBody.append(fragment);
  for (const key of damagedFrames) if (typeof key === 'number') rows[key]?.classList.add('damaged');
}

// ---- what is shown -----------------------------------------------------------

function updatePosition() {
  const info = player.info;
  if (!info) return;
  const frame = player.currentFrame;
  controls.clock.textContent = `${clockText(player.currentTime)} / ${clockText(info.duration)}`;
  $('info-position').textContent = `frame ${frame} of ${info.frameCount}, ${player.currentTime.toFixed(3)} s`;
  if (!scrubbing) controls.seek.value = frame;
  if (highlighted !== rows[frame]) {
    highlighted?.classList.remove('current');
    highlighted = rows[frame] ?? null;
    if (highlighted) {
      highlighted.classList.add('current');
      keepInView(highlighted);
    }
  }
}

// Scrolls only the table's box, never the page.
function keepInView(row) {
  const box = $('table-box');
  const head = $('frames').tHead.offsetHeight;
  const top = row.offsetTop - head;
  const bottom = row.offsetTop + row.offsetHeight;
  if (top < box.scrollTop) box.scrollTop = top;
  else if (bottom > box.scrollTop + box.clientHeight) box.scrollTop = bottom - box.clientHeight;
}

function updatePlayButton() {
  controls.play.textContent = player.paused ? 'Play' : 'Pause';
}

player.addEventListener('timeupdate', updatePosition);
player.addEventListener('play', updatePlayButton);
player.addEventListener('pause', updatePlayButton);
player.addEventListener('ended', updatePlayButton);
player.addEventListener('error', (event) => {
  const { message, damaged, during, frame } = event.detail;
  if (damaged) addDamage(message, frame);
  else if (during !== 'load') showMessage(message);
});

// ---- controls ------------------------------------------------------------

function togglePlay() {
  if (!player.info) return;
  if (player.paused) player.play();
  else player.pause();
}

function step(delta) {
  if (!player.info) return;
  if (player.paused) player.stepFrame(delta);
  else player.currentTime = player.currentTime + delta;
}

function toggleFullscreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else screen.requestFullscreen?.().catch((error) => showMessage(`Full screen was refused: ${error.message}`));
}

function savePng() {
  if (!player.info || player.currentFrame < 0) return;
  const name = frameFileName(player.name, player.currentFrame);
  canvas.toBlob((blob) => {
    if (!blob) return;
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }, 'image/png');
}

function applyScale(value) {
  player.scaleMode = value === 'actual' ? 'actual' : 'fit';
  player.smoothing = value === 'smooth';
  screen.dataset.scale = value;
}

controls.play.addEventListener('click', togglePlay);
controls.back.addEventListener('click', () => player.stepFrame(-1));
controls.forward.addEventListener('click', () => player.stepFrame(1));
controls.seek.addEventListener('pointerdown', () => { scrubbing = true; });
controls.seek.addEventListener('change', () => { scrubbing = false; });
controls.seek.addEventListener('input', () => player.seekToFrame(Number(controls.seek.value)));
controls.speed.addEventListener('change', () => { player.playbackRate = Number(controls.speed.value); });
controls.scale.addEventListener('change', () => applyScale(controls.scale.value));
controls.fullscreen.addEventListener('click', toggleFullscreen);
controls.save.addEventListener('click', savePng);
document.addEventListener('fullscreenchange', () => {
  controls.fullscreen.textContent = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
});
screen.addEventListener('dblclick', toggleFullscreen);
tableBody.addEventListener('click', (event) => {
  const row = event.target.closest('tr');
  if (row) player.seekToFrame(Number(row.dataset.frame));
});
applyScale(controls.scale.value);

// The page's keys work wherever the focus is, except in a list box; a
// focused button or slider does not also act on Space or the arrows.
const keys = {
  ' ': togglePlay,
  ArrowLeft: () => step(-1),
  ArrowRight: () => step(1),
  Home: () => player.info && player.seekToFrame(0),
  End: () => player.info && player.seekToFrame(player.info.frameCount - 1),
  f: toggleFullscreen,
  F: toggleFullscreen,
};
document.addEventListener('keydown', (event) => {
  if (event.ctrlKey || event.metaKey || event.altKey) return;
  if (event.target instanceof HTMLSelectElement) return;
  const action = keys[event.key];
  if (!action) return;
  event.preventDefault();
  if (!event.repeat || event.key.startsWith('Arrow')) action();
});
document.addEventListener('keyup', (event) => {
  if (event.key === ' ' && !(event.target instanceof HTMLSelectElement)) event.preventDefault();
});

// ---- opening files ---------------------------------------------------------

$('file').addEventListener('change', (event) => {
  const file = event.target.files[0];
  if (file) open(file, file.name);
  event.target.value = '';
});

let dragDepth = 0;
function hasFiles(event) {
  return [...(event.dataTransfer?.types ?? [])].includes('Files');
}
document.addEventListener('dragenter', (event) => {
  if (!hasFiles(event)) return;
  dragDepth++;
  $('drop').hidden = false;
});
document.addEventListener('dragleave', (event) => {
  if (!hasFiles(event)) return;
  dragDepth = Math.max(0, dragDepth - 1);
  if (dragDepth === 0) $('drop').hidden = true;
});
document.addEventListener('dragover', (event) => {
  if (!hasFiles(event)) return;
  event.preventDefault();
  event.dataTransfer.dropEffect = 'copy';
});
document.addEventListener('drop', (event) => {
  if (!hasFiles(event)) return;
  event.preventDefault();
  dragDepth = 0;
  $('drop').hidden = true;
  const file = event.dataTransfer.files[0];
  if (file) open(file, file.name);
});

// ---- start -------------------------------------------------------------------

if (typeof WebAssembly !== 'object') {
  setState('error');
  showMessage('This browser does not run WebAssembly, which the decoder needs.');
} else if (params.has('src')) {
  const url = new URL(params.get('src'), location.href);
  open(url.href, nameFromUrl(url));
} else {
  setState('empty');
}
