// Serves a folder (build/web by default) on the loopback interface only; the browser test
// imports it, and run as a program it prints the address to open.
// Usage: node web/serve.mjs [folder] [port, 0 for any free one]
import {createServer} from 'node:http';
import {readFile} from 'node:fs/promises';
import {extname, join, normalize} from 'node:path';
import {fileURLToPath} from 'node:url';

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png'};

export function serve(folder, port = 0) {
  const server = createServer(async (request, response) => {
    try {
      const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
      const file = path.endsWith('/') ? 'bounce.html' : path;
      // Only the page and what it loads; the build folder's other files stay private.
      const type = types[extname(file)];
      const body = type && (await readFile(join(folder, file)));
      response.writeHead(body ? 200 : 404, {'Content-Type': type ?? 'text/plain'});
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const root = fileURLToPath(new URL('..', import.meta.url));
  const folder = process.argv[2] ?? join(root, 'build/web');
  const server = await serve(folder, Number(process.argv[3] ?? 8000));
  console.log(`bounce: http://127.0.0.1:${server.address().port}/bounce.html`);
}
