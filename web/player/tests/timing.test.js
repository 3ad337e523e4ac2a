import { test } from 'node:test';
import assert from 'node:assert/strict';
import { FrameClock, frameAtTime, timeOfFrame } from '../frame-clock.js';

test('a frame\'s own time leads back to it, at rates without an exact binary form', () => {
  for (const [numerator, denominator] of [[15, 1], [30000, 1001], [24000, 1001], [25, 1], [12, 7]]) {
    const count = 200000;
    for (let n = 0; n < count; n++) {
      const frame = frameAtTime(timeOfFrame(n, numerator, denominator), numerator, denominator, count);
      if (frame !== n) assert.fail(`${numerator}/${denominator}: frame ${n} came back as ${frame}`);
    }
  }
});

test('times outside the stream clamp to its first and last frames', () => {
  assert.equal(frameAtTime(-3, 15, 1, 60), 0);
  assert.equal(frameAtTime(Number.NaN, 15, 1, 60), 0);
  assert.equal(frameAtTime(4, 15, 1, 60), 59); // the duration itself
  assert.equal(frameAtTime(1e9, 15, 1, 60), 59);
  assert.equal(frameAtTime(3.99, 15, 1, 60), 59);
  assert.equal(frameAtTime(0.0666, 15, 1, 60), 0); // just before frame 1
});

test('the clock runs at the stream rate times the playback rate, without a jump when that changes', () => {
  const clock = new FrameClock(15, 1);
  clock.start(1000, 3);
  assert.equal(clock.due(1000), 3);
  assert.equal(clock.due(1000 + 1000 / 15 - 1), 3);
  assert.equal(clock.due(1000 + 1000 / 15), 4);
  // A late tick lands on the frame due then, skipping those in between.
  assert.equal(clock.due(3000), 33);

  clock.setRate(3000, 4);
  assert.equal(clock.position(3000), 33);
  assert.equal(clock.due(3500), 33 + 30);
  clock.setRate(3500, 0.25);
  assert.equal(clock.due(3500), 63);
  assert.equal(clock.due(4500), 66);
  // A moment before the anchor (a frame callback's time can be) never moves back.
  assert.equal(clock.due(3400), 63);
});
