// The page's start-up against its floor, and what each downloads. Both pages are loaded
// alternately from 127.0.0.1 in headless Chromium with nothing cached, after one warm-up
// round: the combat sheet's page and the same page loading one empty Qt window built the same
// way with the same font. Start-up is the time from navigation to the window's first drawing
// onto its canvas, which the browser shows with its next frame. Prints medians, and every file's bytes raw and
// as gzip (-9) delivers it (the .gz files are already compressed: as they are).
// Usage: node page-startup.mjs SHEET_PAGE_DIR FLOOR_PAGE_DIR [RUNS]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { launchChromium, serveFolders } from '../web/tests/browser.mjs';

const [sheetDir, floorDir, runsText] = process.argv.slice(2);
const runs = Number(runsText ?? 10);
const server = await serveFolders(sheetDir, floorDir);
const browser = await launchChromium();

async function startUp(index) {
  const page = await browser.newPage();
  await page.bringToFront(); // a tab in the background draws no frames
  await page.setCacheEnabled(false);
  // The window's first drawing onto its canvas: the browser shows it with its next frame.
  await page.evaluateOnNewDocument(() => {
    const context = CanvasRenderingContext2D.prototype;
    for (const method of ['putImageData', 'drawImage']) {
      const draw = context[method];
      context[method] = function (...args) {
        if (this.canvas.width >= 600)
          globalThis.firstDrawing ??= performance.now();
        return draw.apply(this, args);
      };
    }
  });
  await page.goto(`${server.origin}/${index}/`);
  const drawn = await page.waitForFunction(() => globalThis.firstDrawing, { timeout: 60000, polling: 50 });
  const shown = await drawn.jsonValue();
  await page.close();
  return shown;
}

const samples = [[], []];
for (let run = 0; run <= runs; ++run)
  for (const index of [0, 1]) {
    const time = await startUp(index);
    if (run > 0) // the first round only warms the caches
      samples[index].push(time);
  }
await browser.close();
server.close();

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];
function download(folder) {
  let raw = 0;
  let gzip = 0;
  const walk = (dir) => {
    for (const entry of fs.readdirSync(dir, { withFileTypes: true })) {
      const file = path.join(dir, entry.name);
      if (entry.isDirectory()) {
        if (entry.name !== 'licenses')
          walk(file);
        continue;
      }
      const size = fs.statSync(file).size;
      raw += size;
      gzip += file.endsWith('.gz') ? size : execFileSync('gzip', ['-9', '-c', file]).length;
    }
  };
  walk(folder);
  return { raw, gzip };
}
const mb = (bytes) => (bytes / 1e6).toFixed(2);
const sheet = { time: median(samples[0]), ...download(sheetDir) };
const floor = { time: median(samples[1]), ...download(floorDir) };
console.log(`${runs} runs each, medians; downloads without the licences`);
console.log(`${'page'.padEnd(14)}${'first frame ms'.padStart(16)}${'raw MB'.padStart(10)}${'gzip MB'.padStart(10)}`);
for (const [name, figures] of [['sheet', sheet], ['empty window', floor]])
  console.log(`${name.padEnd(14)}${figures.time.toFixed(0).padStart(16)}${mb(figures.raw).padStart(10)}${mb(figures.gzip).padStart(10)}`);
console.log(`sheet / empty window: ${(sheet.time / floor.time).toFixed(2)}x time, ` +
            `${(sheet.gzip / floor.gzip).toFixed(2)}x gzip bytes`);
