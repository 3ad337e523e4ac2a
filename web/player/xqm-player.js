// A player for XQM6 stream files on a canvas. Decoding happens in a worker;
// this side keeps time, asks for the frame that is due and draws what comes
// back, one RGBA picture per frame, 1:1 into a canvas of the picture's size.
//
//   const player = new XqmPlayer(canvas, { build: 'auto', wasmBase: '…/wasm/' });
//   await player.load('clip.xqm');   // a URL, a File or Blob, or an ArrayBuffer
//   player.play();
//
// Events: loadedmetadata, timeupdate, play, pause, ended, seeked, ratechange,
// error (event.message and event.detail.message carry the reader's or the
// decoder's words; each damaged frame reports one, event.detail.frame naming
// it, and playback goes on with the concealed picture).

import { FrameClock, frameAtTime, timeOfFrame } from './frame-clock.js';

const DEFAULT_WASM_BASE = new URL('../wasm/', import.meta.url);

export class XqmErrorEvent extends CustomEvent {
  constructor(message, details = {}) {
    super('error', { detail: { message, ...details } });
  }

  get message() {
    return this.detail.message;
  }
}

function baseUrl() {
  return globalThis.document?.baseURI ?? globalThis.location?.href ?? import.meta.url;
}

function folderUrl(value) {
  const url = new URL(value, baseUrl());
  if (!url.pathname.endsWith('/')) url.pathname += '/';
  return url.href;
}

export function nameFromUrl(url) {
  const last = url.pathname.split('/').filter(Boolean).pop() ?? '';
  try {
    return decodeURIComponent(last) || 'stream.xqm';
  } catch {
    return last || 'stream.xqm';
  }
}

// The bytes of a source, as an ArrayBuffer the player may hand to the worker.
async function readSource(src) {
  if (src instanceof ArrayBuffer) return { bytes: src.slice(0), name: 'stream.xqm' };
  if (ArrayBuffer.isView(src)) {
    return { bytes: src.buffer.slice(src.byteOffset, src.byteOffset + src.byteLength), name: 'stream.xqm' };
  }
  if (typeof Blob !== 'undefined' && src instanceof Blob) {
    return { bytes: await src.arrayBuffer(), name: src.name || 'stream.xqm' };
  }
  if (typeof src === 'string' || src instanceof URL) {
    const url = new URL(src, baseUrl());
    const name = nameFromUrl(url);
    let response;
    try {
      response = await fetch(url);
    } catch (cause) {
      throw new Error(`${name}: could not be fetched: ${cause.message}`);
    }
    if (!response.ok) {
      throw new Error(`${name}: could not be fetched: ${response.status} ${response.statusText}`.trim());
    }
    return { bytes: await response.arrayBuffer(), name };
  }
  throw new TypeError('load() takes a URL, a File or Blob, or an ArrayBuffer');
}

export class XqmPlayer extends EventTarget {
  constructor(canvas, options = {}) {
    super();
    this.canvas = canvas;
    this.options = { build: 'auto', wasmBase: DEFAULT_WASM_BASE, ...options };
    this._context = canvas.getContext('2d');
    this._worker = null;
    this._ready = null;
    this._build = null;
    this._kernels = null;
    this._nextId = 1;
    this._calls = new Map();

    this._generation = 0;
    this._info = null;
    this._name = '';
    this._paused = true;
    this._ended = false;
    this._rate = 1;
    this._clock = null;
    this._frameCallback = 0;
    this._currentFrame = -1;
    this._time = 0;
    // At most one show request is with the worker; one more may wait, and a
    // newer request takes the waiting one's place.
    this._inflight = null;
    this._queued = null;

    this._smoothing = options.smoothing ?? true;
    this._scaleMode = options.scaleMode ?? 'fit';
    this._tick = this._tick.bind(this);
    this._applyScaling();
  }

  // ---- state -------------------------------------------------------------

  get info() {
    return this._info;
  }

  get name() {
    return this._name;
  }

  get build() {
    return this._build;
  }

  get kernels() {
    return this._kernels;
  }

  get paused() {
    return this._paused;
  }

  get ended() {
    return this._ended;
  }

  get duration() {
    return this._info ? this._info.duration : NaN;
  }

  get currentFrame() {
    return this._currentFrame;
  }

  get currentTime() {
    return this._time;
  }

  set currentTime(time) {
    this.seek(time).catch(() => {});
  }

  get playbackRate() {
    return this._rate;
  }

  set playbackRate(rate) {
    const value = Number(rate);
    if (!(value > 0) || !Number.isFinite(value)) throw new RangeError('the playback rate must be a positive number');
    if (value === this._rate) return;
    this._rate = value;
    this._clock?.setRate(performance.now(), value);
    this._emit('ratechange');
  }

  // Smooth (true) or blocky (false) scaling of the picture on the page.
  get smoothing() {
    return this._smoothing;
  }

  set smoothing(value) {
    this._smoothing = Boolean(value);
    this._applyScaling();
  }

  // 'fit': the canvas fills its box, the picture's aspect kept;
  // 'actual': one picture pixel to one device pixel.
  get scaleMode() {
    return this._scaleMode;
  }

  set scaleMode(mode) {
    if (mode !== 'fit' && mode !== 'actual') throw new RangeError(`unknown scale mode ${mode}`);
    this._scaleMode = mode;
    this._applyScaling();
  }

  // ---- loading -----------------------------------------------------------

  async load(src, { name } = {}) {
    const generation = ++this._generation;
    this._stopClock();
    const wasPlaying = !this._paused;
    this._paused = true;
    this._ended = false;
    this._info = null;
    this._name = '';
    this._currentFrame = -1;
    this._time = 0;
    this._abandonRequests();
    if (wasPlaying) this._emit('pause');
    try {
      const [source] = await Promise.all([readSource(src), this._startWorker()]);
      this._checkCurrent(generation);
      const reply = await this._call({ type: 'open', bytes: source.bytes, name: name ?? source.name }, [source.bytes]);
      this._checkCurrent(generation);
      this._info = reply.info;
      this._name = name ?? source.name;
      if (this.canvas.width !== reply.info.width) this.canvas.width = reply.info.width;
      if (this.canvas.height !== reply.info.height) this.canvas.height = reply.info.height;
      this._applyScaling();
      this._emit('loadedmetadata');
      await this._request(0, 'load', 0);
      this._checkCurrent(generation);
      return this._info;
    } catch (error) {
      if (generation === this._generation) this._emit(new XqmErrorEvent(error.message, { during: 'load' }));
      throw error;
    }
  }

  // Closes the stream and ends the worker; the player can load again later.
  close() {
    this._generation++;
    this._stopClock();
    this._paused = true;
    this._info = null;
    this._currentFrame = -1;
    this._abandonRequests();
    this._worker?.terminate();
    this._worker = null;
    this._ready = null;
    for (const { reject } of this._calls.values()) reject(new Error('the player was closed'));
    this._calls.clear();
  }

  // ---- playback ----------------------------------------------------------

  async play() {
    const info = this._requireStream();
    if (!this._paused) return;
    const last = info.frameCount - 1;
    let position = (this._time * info.rate.numerator) / info.rate.denominator;
    if (this._ended || this._latestTarget() >= last) {
      // From the end, playing starts over.
      position = 0;
      this._time = 0;
      this._request(0, 'seek', 0).catch(() => {});
    }
    this._ended = false;
    this._paused = false;
    this._clock = new FrameClock(info.rate.numerator, info.rate.denominator);
    this._clock.rate = this._rate;
    this._clock.start(performance.now(), position);
    this._emit('play');
    this._frameCallback = requestAnimationFrame(this._tick);
  }

  pause() {
    if (this._paused) return;
    this._paused = true;
    this._stopClock();
    // The picture stops where it is: frames playback asked for are no longer
    // wanted, neither the one waiting nor the one being decoded.
    if (this._queued?.reason === 'play') this._queued = null;
    if (this._inflight?.reason === 'play') this._inflight.discard = true;
    this._emit('pause');
  }

  seek(time) {
    let info;
    try {
      info = this._requireStream();
    } catch (error) {
      return Promise.reject(error);
    }
    const t = Math.min(Math.max(Number(time) || 0, 0), info.duration);
    const frame = frameAtTime(t, info.rate.numerator, info.rate.denominator, info.frameCount);
    this._ended = false;
    this._time = t;
    this._clock?.start(performance.now(), (t * info.rate.numerator) / info.rate.denominator);
    return this._request(frame, 'seek', t);
  }

  seekToFrame(frame) {
    let info;
    try {
      info = this._requireStream();
    } catch (error) {
      return Promise.reject(error);
    }
    const n = Math.min(Math.max(Math.trunc(Number(frame) || 0), 0), info.frameCount - 1);
    return this.seek(timeOfFrame(n, info.rate.numerator, info.rate.denominator));
  }

  // Steps from the latest frame asked for, so quick steps add up. Pauses.
  stepFrame(delta = 1) {
    let info;
    try {
      info = this._requireStream();
    } catch (error) {
      return Promise.reject(error);
    }
    this.pause();
    const from = Math.max(this._latestTarget(), 0);
    return this.seekToFrame(Math.min(Math.max(from + Math.trunc(delta), 0), info.frameCount - 1));
  }

  // Decodes every frame of the loaded stream passes times in the worker,
  // each pass from a freshly opened session.
  async benchmark({ passes = 1 } = {}) {
    this._requireStream();
    this.pause();
    const reply = await this._call({ type: 'benchmark', passes: Math.max(1, Math.trunc(passes)) });
    return reply.result;
  }

  // ---- internals ---------------------------------------------------------

  _emit(event) {
    this.dispatchEvent(typeof event === 'string' ? new Event(event) : event);
  }

  _requireStream() {
    if (!this._info) throw new Error('no stream is loaded');
    return this._info;
  }

  _checkCurrent(generation) {
    if (generation !== this._generation) throw new DOMException('another load replaced this one', 'AbortError');
  }

  _applyScaling() {
    const style = this.canvas.style;
    style.imageRendering = this._smoothing ? 'auto' : 'pixelated';
    if (this._scaleMode === 'fit') {
      style.width = '100%';
      style.height = '100%';
      style.objectFit = 'contain';
    } else {
      const ratio = globalThis.devicePixelRatio || 1;
      style.width = `${this.canvas.width / ratio}px`;
      style.height = `${this.canvas.height / ratio}px`;
      style.objectFit = 'fill';
    }
  }

  _startWorker() {
    if (!this._ready) {
      const worker = new Worker(new URL('./decode-worker.js', import.meta.url), { type: 'module' });
      this._worker = worker;
      worker.onmessage = ({ data }) => {
        const call = this._calls.get(data.id);
        if (!call) return;
        this._calls.delete(data.id);
        if (data.type === 'failed') call.reject(new Error(data.message));
        else call.resolve(data);
      };
      worker.onerror = (event) => {
        event.preventDefault?.();
        const message = `the decode worker failed: ${event.message || 'it could not be started'}`;
        for (const { reject } of this._calls.values()) reject(new Error(message));
        this._calls.clear();
        if (this._worker === worker) {
          worker.terminate();
          this._worker = null;
          this._ready = null;
        }
      };
      this._ready = this._call({ type: 'init', wasmBase: folderUrl(this.options.wasmBase), build: this.options.build })
        .then((reply) => {
          this._build = reply.build;
          this._kernels = reply.kernels;
          return reply;
        }, (error) => {
          // A later load tries again from scratch.
          if (this._worker === worker) {
            worker.terminate();
            this._worker = null;
            this._ready = null;
          }
          throw error;
        });
    }
    return this._ready;
  }

  _call(message, transfer = []) {
    if (!this._worker) return Promise.reject(new Error('the decode worker is not running'));
    const id = this._nextId++;
    return new Promise((resolve, reject) => {
      this._calls.set(id, { resolve, reject });
      this._worker.postMessage({ ...message, id }, transfer);
    });
  }

  // The frame the picture is heading to: the newest one asked for.
  _latestTarget() {
    const inflight = this._inflight?.discard ? null : this._inflight;
    return this._queued?.frame ?? inflight?.frame ?? this._currentFrame;
  }

  // Asks for frame n; resolves once it (or a request that replaced it) is drawn.
  // reason: 'play' for frames playback asks for, 'seek' for everything the
  // user asks for, 'load' for the first picture. time: what currentTime
  // becomes when it is drawn.
  _request(frame, reason, time) {
    return new Promise((resolve, reject) => {
      const waiter = { resolve, reject };
      if (this._queued) {
        // Replaced, but a seek stays a seek: its seeked event and promise
        // belong to whatever frame is drawn in its place.
        const seeking = this._queued.reason !== 'play';
        this._queued.waiters.push(waiter);
        Object.assign(this._queued, { frame, time, reason: seeking && reason === 'play' ? this._queued.reason : reason });
      } else if (!this._inflight) {
        this._send({ frame, reason, time, waiters: [waiter] });
      } else if (this._inflight.frame === frame && reason === 'play' && !this._inflight.discard) {
        this._inflight.waiters.push(waiter);
      } else {
        this._queued = { frame, reason, time, waiters: [waiter] };
      }
    });
  }

  _send(request) {
    request.generation = this._generation;
    this._inflight = request;
    this._call({ type: 'show', frame: request.frame }).then(
      (reply) => this._shown(request, reply),
      (error) => this._showFailed(request, error),
    );
  }

  _shown(request, reply) {
    if (this._inflight === request) this._inflight = null;
    const queued = this._queued;
    if (request.generation !== this._generation || request.discard) {
      // An answer about a stream no longer loaded, or that pausing dropped.
      for (const w of request.waiters) w.resolve();
    } else if (queued && queued.reason !== 'play' && request.reason === 'play') {
      // A frame playback asked for is dropped when a seek is waiting: the
      // seek wins, and the picture does not flick back and forth.
      queued.waiters.push(...request.waiters);
    } else {
      this._draw(request, reply);
      for (const w of request.waiters) w.resolve();
    }
    if (queued && this._queued === queued) {
      this._queued = null;
      this._send(queued);
    }
  }

  _showFailed(request, error) {
    if (this._inflight === request) this._inflight = null;
    for (const w of request.waiters) w.reject(error);
    if (request.generation === this._generation) {
      this.pause();
      this._emit(new XqmErrorEvent(error.message, { frame: request.frame, during: 'decode' }));
    }
    const queued = this._queued;
    this._queued = null;
    if (queued) this._send(queued);
  }

  _draw(request, reply) {
    const { width, height } = reply;
    if (this.canvas.width !== width || this.canvas.height !== height) {
      this.canvas.width = width;
      this.canvas.height = height;
      this._applyScaling();
    }
    this._context.putImageData(new ImageData(new Uint8ClampedArray(reply.rgba), width, height), 0, 0);
    const info = this._info;
    this._currentFrame = reply.frame;
    if (request.reason === 'play' || request.time === undefined) {
      this._time = timeOfFrame(reply.frame, info.rate.numerator, info.rate.denominator);
    } else {
      this._time = request.time;
    }
    this._emit('timeupdate');
    if (request.reason === 'seek') this._emit('seeked');
    // A jump past several damaged frames reports each in an event of its own.
    for (const { frame, message } of reply.damage) {
      this._emit(new XqmErrorEvent(message, { frame, shown: reply.frame, during: 'decode', damaged: true }));
    }
  }

  _abandonRequests() {
    for (const request of [this._inflight, this._queued]) {
      for (const w of request?.waiters ?? []) w.resolve();
      if (request) request.waiters = [];
    }
    this._queued = null;
    // The request with the worker is answered later and then ignored: its
    // generation is old.
  }

  _stopClock() {
    if (this._frameCallback) cancelAnimationFrame(this._frameCallback);
    this._frameCallback = 0;
    this._clock = null;
  }

  _finish() {
    const info = this._info;
    this._stopClock();
    this._paused = true;
    this._ended = true;
    this._time = info.duration;
    this._emit('timeupdate');
    this._emit('pause');
    this._emit('ended');
  }

  _tick(now) {
    this._frameCallback = 0;
    if (this._paused || !this._clock) return;
    const count = this._info.frameCount;
    const position = this._clock.position(now);
    if (position >= count) {
      // The last frame's time is over once it is on screen.
      if (this._currentFrame === count - 1 && !this._inflight && !this._queued) {
        this._finish();
        return;
      }
      if (this._latestTarget() < count - 1) this._request(count - 1, 'play').catch(() => {});
    } else {
      const due = Math.min(this._clock.due(now), count - 1);
      if (due > this._latestTarget()) this._request(due, 'play').catch(() => {});
    }
    this._frameCallback = requestAnimationFrame(this._tick);
  }
}
