import { test } from 'node:test';
import assert from 'node:assert/strict';
import { chooseBuild, importsFor, simdSupported } from '../xqm-module.js';

// A module whose only content is an import section with the given function
// imports, all of type (i32, i32, i32, i32) -> i32.
function moduleImporting(names) {
  const bytes = [0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00];
  bytes.push(0x01, 0x09, 0x01, 0x60, 0x04, 0x7f, 0x7f, 0x7f, 0x7f, 0x01, 0x7f);
  const section = [names.length];
  for (const [from, name] of names) {
    for (const text of [from, name]) section.push(text.length, ...new TextEncoder().encode(text));
    section.push(0x00, 0x00); // a function of type 0
  }
  bytes.push(0x02, section.length, ...section);
  return new WebAssembly.Module(new Uint8Array(bytes));
}

test('the SIMD probe is a valid module where SIMD runs, so the SIMD build is chosen', () => {
  // Node's engine runs fixed-width SIMD; a broken probe would fall back silently.
  assert.equal(simdSupported(), true);
  assert.equal(chooseBuild('auto'), 'simd');
  assert.equal(chooseBuild('scalar'), 'scalar');
});

test('imports: writes report their length, unknown functions fail by name', () => {
  const module = moduleImporting([
    ['wasi_snapshot_preview1', 'fd_write'],
    ['wasi_snapshot_preview1', 'environ_sizes_get'],
    ['env', 'something_new'],
  ]);
  const memory = new WebAssembly.Memory({ initial: 1 });
  const logged = [];
  const imports = importsFor(module, () => memory, (text) => logged.push(text));
  const heap = new DataView(memory.buffer);
  new Uint8Array(memory.buffer).set(new TextEncoder().encode('hello, world'), 100);
  heap.setUint32(16, 100, true); // two pieces: "hello, " and "world"
  heap.setUint32(20, 7, true);
  heap.setUint32(24, 107, true);
  heap.setUint32(28, 5, true);
  assert.equal(imports.wasi_snapshot_preview1.fd_write(2, 16, 2, 40), 0);
  assert.equal(heap.getUint32(40, true), 12);
  assert.deepEqual(logged, ['hello, world']);

  heap.setUint32(48, 0xdead, true);
  heap.setUint32(52, 0xbeef, true);
  assert.equal(imports.wasi_snapshot_preview1.environ_sizes_get(48, 52), 0);
  assert.equal(heap.getUint32(48, true), 0);
  assert.equal(heap.getUint32(52, true), 0);

  assert.throws(() => imports.env.something_new(), /env\.something_new/);
});
