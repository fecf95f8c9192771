// What the page's check and its benchmark share: a static server for a folder on 127.0.0.1,
// and the system's Chromium, headless, kept from calling out.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
                '.wasm': 'application/wasm', '.txt': 'text/plain' };

// Serves the folders' files under /0/, /1/, ...; `requested` lists every path asked for.
export async function serveFolders(...folders) {
  const requested = [];
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://page').pathname);
    requested.push(name);
    const [, index, rest] = name.match(/^\/(\d+)(\/.*)$/) ?? [];
    const folder = folders[Number(index)] && path.resolve(folders[Number(index)]);
    const file = folder && path.join(folder, rest.endsWith('/') ? `${rest}index.html` : rest);
    if (!file || !file.startsWith(`${folder}${path.sep}`) || !fs.existsSync(file) ||
        !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
                              'Cache-Control': 'no-store' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, requested,
           close: () => server.close() };
}

export function launchChromium() {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    // As root Chromium runs only without its sandbox; the rest keeps it from calling out.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--window-size=1024,768'],
    defaultViewport: { width: 1024, height: 768 },
  });
}
