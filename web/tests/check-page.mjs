// Plays the combat sheet's page in the system's Chromium as a player would: the page is
// served from 127.0.0.1, every click lands where the real window puts its controls, keys are
// typed, and the log is read back by selecting it all and copying. A short fight must write
// the log the Linux sheet writes with the same dice; Reset empties it; a chosen table too
// large to read and one with a bad line bring up the desktop's dialogs, behind which a click
// acts on nothing; a refused key beeps; and the page asks for nothing but its own files.
// Usage: node check-page.mjs PAGE_DIR LAYOUT.json REPLAY_TOOL [SCREENSHOT.png]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { launchChromium, serveFolders } from './browser.mjs';

const [pageDir, layoutFile, replayArgument, screenshot] = process.argv.slice(2);
const replayTool = path.resolve(replayArgument); // run in the page's folder
const layout = JSON.parse(fs.readFileSync(layoutFile, 'utf8'));
const maxTableBytes = 16 * 1024 * 1024;

function fail(message) {
  throw new Error(message);
}

const server = await serveFolders(pageDir);
const origin = server.origin;
const requested = server.requested;
const browser = await launchChromium();
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'page-check-'));
try {
  await browser.defaultBrowserContext().overridePermissions(origin,
    ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await browser.newPage();
  const refusals = [];
  page.on('request', (request) => {
    if (!request.url().startsWith(`${origin}/0/`) && !request.url().startsWith('data:') &&
        !request.url().startsWith('blob:'))
      refusals.push(`asked for ${request.url()}`);
  });
  page.on('console', (message) => {
    if (/Content Security Policy/.test(message.text()))
      refusals.push(message.text());
  });
  page.on('pageerror', (error) => refusals.push(`page error: ${error.message}`));

  // The sheet's client area: the largest canvas Qt has drawn on the page.
  const sheetOrigin = async () => page.evaluate(() => {
    const canvases = [...document.querySelectorAll('#sheet div')]
      .flatMap((screen) => [...(screen.shadowRoot?.querySelectorAll('canvas') ?? [])]);
    const box = canvases.map((canvas) => canvas.getBoundingClientRect())
      .sort((a, b) => b.width * b.height - a.width * a.height)[0];
    return box ? { x: box.x, y: box.y, width: box.width, height: box.height } : null;
  });
  const windowTitles = async () => page.evaluate(() => [...document.querySelectorAll('#sheet div')]
    .flatMap((screen) => [...(screen.shadowRoot?.querySelectorAll('.title-bar, .window-name, .qt-window-title') ?? [])])
    .map((title) => title.textContent.trim()));
  const status = async () => page.$eval('#status', (element) => element.textContent);

  async function waitForSheet(statusText) {
    await page.waitForFunction((text) => document.getElementById('status').textContent === text,
                               { timeout: 60000 }, statusText)
      .catch(async () => fail(`the page said «${await status()}», not «${statusText}»`));
    for (let tries = 0; tries < 100; ++tries) {
      const box = await sheetOrigin();
      if (box && Math.round(box.width) === layout.client[0])
        return box;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    fail(`no sheet of ${layout.client} on the page: ${JSON.stringify(await sheetOrigin())}`);
  }
  let sheet = null;
  const at = (name, across = 0.5) => {
    const [left, top, width, height] = layout.controls[name] ?? fail(`no control ${name}`);
    return [sheet.x + left + width * across, sheet.y + top + height / 2];
  };
  const click = async (name, across) => {
    await page.mouse.click(...at(name, across));
    await new Promise((resolve) => setTimeout(resolve, 150));
  };
  const selectAllAndCopy = async () => {
    for (const key of ['KeyA', 'KeyC']) {
      await page.keyboard.down('Control');
      await page.keyboard.press(key);
      await page.keyboard.up('Control');
    }
    await new Promise((resolve) => setTimeout(resolve, 300));
    return (await page.evaluate(() => navigator.clipboard.readText())).replaceAll('\r\n', '\n');
  };
  // Copying an empty selection leaves Qt's clipboard as it was: a field's text copied first
  // tells an empty log from the last copy.
  const readLog = async () => {
    await click('SpinEdit1');
    const mark = await selectAllAndCopy();
    await click('Memo1');
    const log = await selectAllAndCopy();
    return log === mark ? '' : log;
  };

  // A fight with the example table, which the page starts with.
  const started = Date.now();
  await page.goto(`${origin}/0/`);
  sheet = await waitForSheet('Playing with the example rating table.');
  const shown = Date.now();
  await click('ComboBox1', 0.3); // the selector's text, not its arrow
  await page.keyboard.press('ArrowDown'); // the first power
  const actions = 'IAAADDD';
  const buttons = { I: 'Button3', A: 'Button1', D: 'Button2' };
  for (const action of actions)
    await click(buttons[action]);
  if (screenshot) {
    await page.mouse.click(5, 5);
    await page.screenshot({ path: screenshot });
  }
  const log = await readLog();
  const logFile = path.join(work, 'log.txt');
  fs.writeFileSync(logFile, log);
  const msOfDay = (time) => time % (24 * 60 * 60 * 1000); // the dice's seed: UTC time of day
  try {
    const replayed = execFileSync(replayTool, [String(msOfDay(started) - 1000),
      String(msOfDay(shown) + 1000), actions, logFile],
    { cwd: pageDir, env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, encoding: 'utf8' });
    console.log(`page: the fight's log is the Linux sheet's: ${replayed.trim()}`);
  } catch (error) {
    fail(`the fight's log is not the Linux sheet's:\n${log}${error.stdout ?? error.message}`);
  }
  await click('Button4'); // Reset: "ログ消去" is checked
  if ((await readLog()).trim())
    fail('Reset left text in the log');
  console.log('page: Reset emptied the log');
  await click('SpinEdit1');
  await page.keyboard.press('KeyX'); // refused in a number: the page's beep
  const typed = await selectAllAndCopy();
  if (!(await page.evaluate(() => globalThis.combatSheetAudio?.state)))
    fail(`a refused key played no sound; the field holds ${typed}`);
  console.log('page: a refused key beeps');

  // A chosen table: it becomes RatingTable.txt and the program starts again.
  async function chooseTable(name, bytes) {
    const file = path.join(work, name);
    fs.writeFileSync(file, bytes);
    const input = await page.$('#table-file');
    await input.uploadFile(file);
    await input.evaluate((element) => element.dispatchEvent(new Event('change', { bubbles: true })));
  }
  // What a screen reader reads of a window: Qt builds the window's accessible elements once
  // its "Enable Screen Reader" button is pressed, as a screen reader's user presses it.
  const readWindow = async (title) => page.evaluate(async (title) => {
    const screen = [...document.querySelectorAll('#sheet *')].find((element) => element.shadowRoot);
    const window = [...(screen?.shadowRoot.querySelectorAll('.qt-window') ?? [])]
      .find((candidate) => candidate.style.display !== 'none' &&
                           candidate.querySelector('.window-name')?.textContent === title);
    if (!window)
      return `no window «${title}» among ${[...(screen?.shadowRoot.querySelectorAll('.window-name') ?? [])]
        .map((name) => `«${name.textContent}»`).join(', ')}`;
    window.querySelector('.qt-window-a11y-container > button')?.click();
    await new Promise((resolve) => setTimeout(resolve, 300));
    return [...window.querySelectorAll('.qt-window-a11y-container > *')]
      .map((element) => ({ id: element.id, text: element.value ?? element.textContent }));
  }, title);
  async function expectDialog(what, message) {
    let dialog = null;
    for (let tries = 0; tries < 100 && !Array.isArray(dialog); ++tries) {
      await new Promise((resolve) => setTimeout(resolve, 200));
      dialog = await readWindow('combat-sheet'); // the dialog's title is the program's name
    }
    if (!Array.isArray(dialog) || !dialog.some((element) => element.text === message))
      fail(`${what}: no dialog «combat-sheet» saying ${message}: ${JSON.stringify(dialog)}`);
  }
  await chooseTable('large.txt', Buffer.alloc(maxTableBytes + 1, 'a'));
  await expectDialog('a table over 16 MiB', 'ファイル RatingTable.txt は開けません.');
  await page.keyboard.press('Enter');
  sheet = await waitForSheet('Playing with the table from large.txt.');
  console.log('page: a table over 16 MiB: the cannot-open dialog, then the sheet');

  await chooseTable('bad-line.txt', Buffer.from('Sword, 1\r\nAxe, 2\r\n  \r\nBow, 3\r\n'));
  await expectDialog('a table with a blank line', 'リストのインデックスが範囲を超えています (0)');
  // A click where Initiative goes acts on nothing while the dialog is open; Enter closes it.
  await click('Button3');
  await page.keyboard.press('Enter');
  sheet = await waitForSheet('Playing with the table from bad-line.txt.');
  if ((await readLog()).trim())
    fail('input given while the dialog was open acted on the sheet');
  await click('ComboBox1', 0.3);
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  const picked = await selectAllAndCopy();
  if (picked !== 'Axe')
    fail(`the chosen table's second power is not in the selector: ${picked}`);
  console.log('page: a table with a blank line: its dialog, nothing acting behind it, then its powers');

  if (refusals.length)
    fail(`the page went beyond its own files:\n${refusals.join('\n')}`);
  console.log(`page: ${requested.length} requests, all for the page's own files`);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
