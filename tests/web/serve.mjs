// node tests/web/serve.mjs FOLDER [PORT]: serves a folder of static files on 127.0.0.1 as a real
// host serves the site, and prints "port N" once it listens (PORT 0 or none: a free one).
// - Each file under its type, the module as application/wasm, with X-Content-Type-Options.
// - Compressed when the browser accepts it: a file's precompressed sibling (FILE.br, FILE.gz)
//   where one lies beside it, else gzip made on the fly; never the PNGs, which are compressed
//   already.
// - Cache-Control: no-cache, with an ETag and Last-Modified: the browser keeps the files but asks
//   the server each time whether they changed, so that a new module is never missed (the service
//   worker keeps the site for offline play under its version).
// Nothing outside FOLDER is served; a file not there is a 404 whose status text says so.
import { createReadStream, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, resolve, sep } from 'node:path';
import { pipeline } from 'node:stream';
import { createGzip } from 'node:zlib';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.ttf': 'font/ttf',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
  '.txt': 'text/plain; charset=utf-8',
  '.replay': 'text/plain; charset=utf-8',
};
const kCompressed = new Set(['.png']);

const [folderArgument, portArgument = '0'] = process.argv.slice(2);
if (!folderArgument) {
  console.error('usage: node serve.mjs FOLDER [PORT]');
  process.exit(2);
}
const folder = resolve(folderArgument);

function fileStat(path) {
  try {
    const stat = statSync(path);
    return stat.isFile() ? stat : null;
  } catch {
    return null;
  }
}

function accepted(request, encoding) {
  return (request.headers['accept-encoding'] ?? '').split(',')
    .some(part => part.trim().split(';')[0] === encoding);
}

const server = createServer((request, response) => {
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(405, { Allow: 'GET, HEAD' }).end();
    return;
  }
  let name;
  try {
    name = decodeURIComponent(new URL(request.url, 'http://host').pathname);
  } catch {
    response.writeHead(400, 'Bad address').end();
    return;
  }
  if (name.endsWith('/')) {
    name += 'index.html';
  }
  const path = resolve(join(folder, name));
  const stat = path.startsWith(folder + sep) ? fileStat(path) : null;
  if (!stat) {
    response.writeHead(404, 'File not found', { 'Content-Type': kTypes['.txt'] });
    response.end(request.method === 'HEAD' ? undefined : `${name}: no such file\n`);
    return;
  }
  const type = extname(path);
  const tag = `"${stat.size.toString(36)}-${stat.mtimeMs.toString(36)}"`;
  const headers = {
    'Content-Type': kTypes[type] ?? 'application/octet-stream',
    'X-Content-Type-Options': 'nosniff',
    'Cache-Control': 'no-cache',
    'ETag': tag,
    'Last-Modified': stat.mtime.toUTCString(),
    'Vary': 'Accept-Encoding',
  };
  const since = Date.parse(request.headers['if-modified-since'] ?? '');
  if (request.headers['if-none-match'] === tag ||
      (!request.headers['if-none-match'] && since >= Math.floor(stat.mtimeMs / 1000) * 1000)) {
    response.writeHead(304, headers).end();
    return;
  }
  let source = path;
  let compress = false;
  if (!kCompressed.has(type)) {
    const sibling = ['br', 'gzip'].filter(encoding => accepted(request, encoding))
      .map(encoding => ({ encoding, stat: fileStat(`${path}.${encoding === 'br' ? 'br' : 'gz'}`) }))
      .find(found => found.stat);
    if (sibling) {
      headers['Content-Encoding'] = sibling.encoding;
      headers['Content-Length'] = sibling.stat.size;
      source = `${path}.${sibling.encoding === 'br' ? 'br' : 'gz'}`;
    } else if (accepted(request, 'gzip')) {
      headers['Content-Encoding'] = 'gzip';
      compress = true;
    }
  }
  if (!headers['Content-Encoding']) {
    headers['Content-Length'] = stat.size;
  }
  response.writeHead(200, headers);
  if (request.method === 'HEAD') {
    response.end();
    return;
  }
  const steps = [createReadStream(source), ...(compress ? [createGzip({ level: 6 })] : []),
                 response];
  pipeline(...steps, () => {});
});

server.on('error', error => {
  console.error(`serve.mjs: ${error.message}`);
  process.exit(1);
});
server.listen(Number(portArgument), '127.0.0.1', () => {
  console.log(`port ${server.address().port}`);
});
