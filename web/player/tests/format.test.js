import { test } from 'node:test';
import assert from 'node:assert/strict';
import { clockText, frameFileName, framesText, pixelTypeText, rateText } from '../../page/format.js';

test('stream facts are worded as the info panel shows them', () => {
  assert.equal(pixelTypeText(16), '5-6-5 pixels (type 16)');
  assert.equal(pixelTypeText(15), '5-5-5 pixels (type 15)');
  assert.equal(rateText({ numerator: 15, denominator: 1 }), '15/1 (15.000 frames per second)');
  assert.equal(rateText({ numerator: 30000, denominator: 1001 }), '30000/1001 (29.970 frames per second)');
  assert.equal(framesText(60, 4), '60 frames, 4.000 seconds');
  assert.equal(framesText(1, 1 / 15), '1 frame, 0.067 seconds');
});

test('clock text carries rounding into the next unit', () => {
  assert.equal(clockText(0), '0:00.000');
  assert.equal(clockText(59.9996), '1:00.000');
  assert.equal(clockText(3599.9999), '1:00:00.000');
  assert.equal(clockText(61.25), '1:01.250');
});

test('saved frames are named after the stream, only its last extension dropped', () => {
  assert.equal(frameFileName('clip.xqm', 12), 'clip-frame-0012.png');
  assert.equal(frameFileName('take.2.xqm', 0), 'take.2-frame-0000.png');
  assert.equal(frameFileName('noext', 12345), 'noext-frame-12345.png');
  assert.equal(frameFileName('', 3), 'stream-frame-0003.png');
});
