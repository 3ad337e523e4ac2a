// Decodes off the page's thread. One stream is open at a time.
//
// Requests (each with an id the reply carries back):
//   { type: 'init', wasmBase, build }      -> { type: 'ready', build, kernels }
//   { type: 'open', bytes, name }          -> { type: 'opened', info }
//   { type: 'show', frame }                -> { type: 'frame', frame, ok, damage, width, height, rgba }
//   { type: 'benchmark', passes }          -> { type: 'benchmark', result }
//   { type: 'close' }                      -> { type: 'closed' }
// Any request that fails is answered { type: 'failed', message }.
//
// show decodes every frame from the shown one (or from a kept intra frame)
// up to the asked one, since each predicts from the one before, but expands
// only the asked one to RGBA; its buffer is transferred, not copied.

import { loadDecoder } from './xqm-module.js';

let decoder = null;
let session = null;
let bytes = null; // the open stream's file, kept for benchmark passes
let name = '';

function logFromDecoder(text) {
  const trimmed = text.replace(/\n+$/, '');
  if (trimmed) console.warn(trimmed);
}

function requireSession() {
  if (!session) throw new Error('no stream is open');
  return session;
}

const handlers = {
  async init({ wasmBase, build }) {
    decoder = await loadDecoder({ wasmBase, build, log: logFromDecoder });
    return { type: 'ready', build: decoder.build, kernels: decoder.kernels };
  },

  open(request) {
    if (!decoder) throw new Error('the decoder is not loaded');
    session?.close();
    session = null;
    bytes = null;
    session = decoder.open(request.bytes, request.name);
    bytes = request.bytes;
    name = request.name;
    return { type: 'opened', info: session.info() };
  },

  show({ frame }) {
    const s = requireSession();
    const result = s.show(frame);
    if (result < 0) throw new Error(`${name}: there is no frame ${frame}`);
    const rgba = s.rgba();
    const { width, height } = decoder.fn;
    const reply = {
      type: 'frame',
      frame: s.shown(),
      ok: result === 1,
      damage: result === 1 ? [] : s.damage(),
      width: width(s.handle),
      height: height(s.handle),
      rgba,
    };
    return [reply, [rgba]];
  },

  // Every frame of the open stream, passes times, each pass in a session of
  // its own so that no kept picture shortens the work. A first pass is not
  // timed: during it the engine still moves the module's hot functions from
  // its quick compiler to its optimising one.
  benchmark({ passes = 1 }) {
    requireSession();
    const count = session.info().frameCount;
    let seconds = 0;
    let frames = 0;
    for (let pass = -1; pass < passes; pass++) {
      const fresh = decoder.open(bytes, name);
      try {
        const start = performance.now();
        for (let n = 0; n < count; n++) fresh.show(n);
        if (pass < 0) continue;
        seconds += (performance.now() - start) / 1000;
        frames += count;
      } finally {
        fresh.close();
      }
    }
    return {
      type: 'benchmark',
      result: {
        frames,
        seconds,
        framesPerSecond: seconds > 0 ? frames / seconds : 0,
        build: decoder.build,
        kernels: decoder.kernels,
      },
    };
  },

  close() {
    session?.close();
    session = null;
    bytes = null;
    return { type: 'closed' };
  },
};

async function answer(data) {
  const { id, type } = data;
  let reply;
  let transfer = [];
  try {
    const handler = handlers[type];
    if (!handler) throw new Error(`unknown request ${type}`);
    reply = await handler(data);
    if (Array.isArray(reply)) [reply, transfer] = reply;
  } catch (error) {
    reply = { type: 'failed', message: error?.message ?? String(error) };
  }
  self.postMessage({ id, ...reply }, transfer);
}

// Requests are answered strictly in order, even while loading the module
// awaits the network.
let queue = Promise.resolve();
self.onmessage = ({ data }) => {
  queue = queue.then(() => answer(data));
};
