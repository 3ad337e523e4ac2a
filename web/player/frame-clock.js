// Frame timing from the stream's rate (numerator / denominator frames per
// second). Pure arithmetic, no DOM: the player feeds it performance.now().

// A tiny slack so that a time computed from a frame number lands on that
// frame again, whatever the rounding (1001/30000 has no exact binary form).
const EPSILON = 1e-6;

export function frameAtTime(time, numerator, denominator, frameCount) {
  if (!(frameCount > 0)) return 0;
  const t = Number.isFinite(time) ? time : 0;
  const frame = Math.floor((t * numerator) / denominator + EPSILON);
  return Math.min(Math.max(frame, 0), frameCount - 1);
}

export function timeOfFrame(frame, numerator, denominator) {
  return (frame * denominator) / numerator;
}

// Where playback stands: a frame position (fractional) anchored at a moment,
// moving at the stream's rate times the playback rate. Changing the playback
// rate re-anchors at the current position, so the picture never jumps.
export class FrameClock {
  constructor(numerator, denominator) {
    this.framesPerMs = numerator / denominator / 1000;
    this.rate = 1;
    this.anchorMs = 0;
    this.anchorFrame = 0;
  }

  start(nowMs, frame) {
    this.anchorMs = nowMs;
    this.anchorFrame = frame;
  }

  setRate(nowMs, rate) {
    this.start(nowMs, this.position(nowMs));
    this.rate = rate;
  }

  position(nowMs) {
    return this.anchorFrame + Math.max(0, nowMs - this.anchorMs) * this.framesPerMs * this.rate;
  }

  // The frame whose time has come. When decoding falls behind this runs
  // ahead of the frame drawn, and the player skips straight to it.
  due(nowMs) {
    return Math.floor(this.position(nowMs) + EPSILON);
  }
}
