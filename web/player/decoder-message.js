// The decoder names a damaged frame after the file: "clip.xqm: frame 12:
// block at (328, 464): ...". The frame number is read after the file's own
// name, since that name may hold anything, "frame 9: " included.
export function frameOfMessage(message, fileName = '') {
  let rest = message;
  if (fileName && rest.startsWith(`${fileName}: `)) rest = rest.slice(fileName.length + 2);
  else if (fileName) return null;
  const match = /^frame (\d+):/.exec(rest);
  return match ? Number(match[1]) : null;
}
