// The decoder compiled to WebAssembly: choosing the build, instantiating it
// without any generated glue, and a small session object over its exports.
// The decode worker uses this; nothing here touches the DOM.

// A function returning a v128 made by i32x4.splat: it validates only where
// the engine runs fixed-width SIMD.
const SIMD_PROBE = new Uint8Array([
  0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00, // magic, version 1
  0x01, 0x05, 0x01, 0x60, 0x00, 0x01, 0x7b, // type: () -> v128
  0x03, 0x02, 0x01, 0x00, // one function of that type
  0x0a, 0x08, 0x01, 0x06, 0x00, // its body, no locals:
  0x41, 0x00, 0xfd, 0x11, 0x0b, // i32.const 0; i32x4.splat; end
]);

export function simdSupported() {
  try {
    return WebAssembly.validate(SIMD_PROBE);
  } catch {
    return false;
  }
}

// 'simd' or 'scalar' are taken as asked; anything else picks the SIMD build
// where the engine can run it.
export function chooseBuild(asked) {
  if (asked === 'simd' || asked === 'scalar') return asked;
  return simdSupported() ? 'simd' : 'scalar';
}

export function wasmFileName(build) {
  return build === 'simd' ? 'xqm_simd.wasm' : 'xqm_scalar.wasm';
}

const WASI_ERRNO_BADF = 8;
const WASI_ERRNO_SPIPE = 70;

// The module is built without a JavaScript runtime, so it imports only a few
// system calls. Those the decoder can reach get small honest answers; any
// other function import becomes a stub that throws with its name, so a change
// in the import list shows up as a clear error instead of a link failure.
export function importsFor(module, memoryOf, log = () => {}) {
  const view = () => new DataView(memoryOf().buffer);
  const bytes = () => new Uint8Array(memoryOf().buffer);
  const decoder = new TextDecoder();
  const known = {
    env: {
      emscripten_notify_memory_growth() {},
    },
    wasi_snapshot_preview1: {
      proc_exit(code) {
        throw new Error(`the decoder exited with code ${code}`);
      },
      fd_write(fd, iovs, iovsLength, writtenPtr) {
        const dv = view();
        let text = '';
        let written = 0;
        for (let i = 0; i < iovsLength; i++) {
          const base = dv.getUint32(iovs + i * 8, true);
          const length = dv.getUint32(iovs + i * 8 + 4, true);
          text += decoder.decode(bytes().subarray(base, base + length));
          written += length;
        }
        dv.setUint32(writtenPtr, written, true);
        if (fd === 1 || fd === 2) log(text);
        return fd === 1 || fd === 2 ? 0 : WASI_ERRNO_BADF;
      },
      fd_close() {
        return 0;
      },
      fd_seek() {
        return WASI_ERRNO_SPIPE;
      },
      environ_sizes_get(countPtr, sizePtr) {
        const dv = view();
        dv.setUint32(countPtr, 0, true);
        dv.setUint32(sizePtr, 0, true);
        return 0;
      },
      environ_get() {
        return 0;
      },
      args_sizes_get(countPtr, sizePtr) {
        const dv = view();
        dv.setUint32(countPtr, 0, true);
        dv.setUint32(sizePtr, 0, true);
        return 0;
      },
      args_get() {
        return 0;
      },
      clock_time_get(clockId, precision, timePtr) {
        const ns = BigInt(Math.round((performance.timeOrigin + performance.now()) * 1e6));
        view().setBigUint64(timePtr, ns, true);
        return 0;
      },
      random_get(ptr, length) {
        crypto.getRandomValues(bytes().subarray(ptr, ptr + length));
        return 0;
      },
    },
  };
  const imports = {};
  for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
    imports[from] ??= {};
    if (kind !== 'function') {
      throw new Error(`the decoder module imports a ${kind} (${from}.${name}), which this player does not provide`);
    }
    imports[from][name] = known[from]?.[name] ?? (() => {
      throw new Error(`the decoder called ${from}.${name}, which this player does not provide`);
    });
  }
  return imports;
}

// Fetches, compiles and instantiates one build from the folder wasmBase.
export async function loadDecoder({ wasmBase, build = 'auto', log } = {}) {
  const chosen = chooseBuild(build);
  if (chosen === 'simd' && !simdSupported()) {
    throw new Error('this browser does not run WebAssembly SIMD; use the scalar build');
  }
  const url = new URL(wasmFileName(chosen), wasmBase);
  let response;
  try {
    response = await fetch(url);
  } catch (cause) {
    throw new Error(`could not fetch the decoder ${url}: ${cause.message}`);
  }
  if (!response.ok) {
    throw new Error(`could not fetch the decoder ${url}: ${response.status} ${response.statusText}`.trim());
  }
  // Compiled from the bytes rather than streamed, so a server that labels
  // .wasm files with another type still works.
  const module = await WebAssembly.compile(await response.arrayBuffer());
  let memory = null;
  const instance = await WebAssembly.instantiate(module, importsFor(module, () => memory, log));
  memory = instance.exports.memory;
  if (!(memory instanceof WebAssembly.Memory)) throw new Error('the decoder module exports no memory');
  instance.exports._initialize?.();
  return new XqmDecoder(instance.exports, chosen);
}

export class XqmDecoder {
  constructor(exports, build) {
    this.build = build;
    this.memory = exports.memory;
    const need = (name) => {
      const f = exports[name] ?? exports[`_${name}`];
      if (typeof f !== 'function') throw new Error(`the decoder module has no ${name}`);
      return f;
    };
    this.fn = Object.fromEntries([
      'xqm_alloc', 'xqm_free', 'xqm_open', 'xqm_close', 'xqm_pixel_type', 'xqm_height',
      'xqm_width', 'xqm_rate_numerator', 'xqm_rate_denominator', 'xqm_frame_count',
      'xqm_frame_size', 'xqm_frame_intra', 'xqm_frame_quality', 'xqm_show', 'xqm_shown',
      'xqm_rgba', 'xqm_open_failure', 'xqm_damage_count', 'xqm_damage_frame', 'xqm_damage_message',
      'xqm_kernels',
    ].map((name) => [name.slice(4), need(name)]));
    this.kernels = this.string(this.fn.kernels());
  }

  // Views are made afresh on every use: any call that allocates may grow the
  // memory and detach the previous buffer.
  heap() {
    return new Uint8Array(this.memory.buffer);
  }

  string(ptr) {
    if (!ptr) return '';
    const heap = this.heap();
    let end = ptr;
    while (end < heap.length && heap[end] !== 0) end++;
    return new TextDecoder().decode(heap.subarray(ptr, end));
  }

  allocString(text) {
    const encoded = new TextEncoder().encode(text);
    const ptr = this.fn.alloc(encoded.length + 1);
    if (!ptr) throw new Error('the decoder ran out of memory');
    const heap = this.heap();
    heap.set(encoded, ptr);
    heap[ptr + encoded.length] = 0;
    return ptr;
  }

  // bytes: an ArrayBuffer or a typed array; it is copied, the caller keeps it.
  // Throws with the reader's own words when the bytes are not a stream.
  open(bytes, name) {
    const source = bytes instanceof ArrayBuffer ? new Uint8Array(bytes)
      : new Uint8Array(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const dataPtr = this.fn.alloc(Math.max(1, source.length));
    if (!dataPtr) throw new Error(`${name}: the decoder ran out of memory for ${source.length} bytes`);
    this.heap().set(source, dataPtr);
    let namePtr = 0;
    let session;
    try {
      namePtr = this.allocString(name);
    } catch (error) {
      this.fn.free(dataPtr);
      throw error;
    }
    try {
      // The session owns dataPtr from here on, whether or not it opens.
      session = this.fn.open(dataPtr, source.length, namePtr);
    } finally {
      this.fn.free(namePtr);
    }
    if (!session) throw new Error(this.string(this.fn.open_failure()) || `${name}: not a stream file`);
    return new XqmSession(this, session);
  }
}

export class XqmSession {
  constructor(decoder, handle) {
    this.decoder = decoder;
    this.handle = handle;
  }

  info() {
    const { fn } = this.decoder;
    const s = this.handle;
    const numerator = fn.rate_numerator(s) >>> 0;
    const denominator = fn.rate_denominator(s) >>> 0;
    const frameCount = fn.frame_count(s);
    const frames = new Array(frameCount);
    for (let n = 0; n < frameCount; n++) {
      frames[n] = {
        kind: fn.frame_intra(s, n) ? 'intra' : 'predicted',
        size: fn.frame_size(s, n) >>> 0,
        quality: fn.frame_quality(s, n),
      };
    }
    return {
      pixelType: fn.pixel_type(s),
      width: fn.width(s),
      height: fn.height(s),
      rate: { numerator, denominator },
      frameCount,
      duration: numerator > 0 ? (frameCount * denominator) / numerator : 0,
      frames,
    };
  }

  // 1: every frame decoded on the way was whole; 0: one was damaged and
  // concealed (damage() says which and why); -1: n is out of range.
  show(n) {
    return this.decoder.fn.show(this.handle, n);
  }

  shown() {
    return this.decoder.fn.shown(this.handle);
  }

  // The frames the last show() found damaged: [{ frame, message }], the
  // message naming the file and the frame.
  damage() {
    const { fn } = this.decoder;
    const count = fn.damage_count(this.handle);
    return Array.from({ length: count }, (_, i) => ({
      frame: fn.damage_frame(this.handle, i) >>> 0,
      message: this.decoder.string(fn.damage_message(this.handle, i)),
    }));
  }

  // A copy of the shown picture as RGBA, in a buffer of its own.
  rgba() {
    const { fn } = this.decoder;
    const length = fn.width(this.handle) * fn.height(this.handle) * 4;
    const ptr = fn.rgba(this.handle);
    if (!ptr) throw new Error('the decoder has no picture to give');
    return this.decoder.heap().slice(ptr, ptr + length).buffer;
  }

  close() {
    if (this.handle) this.decoder.fn.close(this.handle);
    this.handle = 0;
  }
}
