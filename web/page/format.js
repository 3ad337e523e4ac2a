// How the page words what it shows about a stream.

export function pixelTypeText(type) {
  if (type === 16) return '5-6-5 pixels (type 16)';
  if (type === 15) return '5-5-5 pixels (type 15)';
  return `pixel type ${type}`;
}

export function rateText({ numerator, denominator }) {
  return `${numerator}/${denominator} (${(numerator / denominator).toFixed(3)} frames per second)`;
}

export function framesText(frameCount, duration) {
  return `${frameCount} ${frameCount === 1 ? 'frame' : 'frames'}, ${duration.toFixed(3)} seconds`;
}

// m:ss.mmm, or h:mm:ss.mmm from an hour on.
export function clockText(seconds) {
  const ms = Math.max(0, Math.round((Number.isFinite(seconds) ? seconds : 0) * 1000));
  const h = Math.floor(ms / 3600000);
  const m = Math.floor(ms / 60000) % 60;
  const s = Math.floor(ms / 1000) % 60;
  const rest = `${String(s).padStart(2, '0')}.${String(ms % 1000).padStart(3, '0')}`;
  return h > 0 ? `${h}:${String(m).padStart(2, '0')}:${rest}` : `${m}:${rest}`;
}

// "clip.xqm", 12 -> "clip-frame-0012.png"
export function frameFileName(streamName, frame) {
  const base = (streamName || 'stream').replace(/\.[^./\\]*$/, '') || 'stream';
  return `${base}-frame-${String(frame).padStart(4, '0')}.png`;
}
