// Starts the combat sheet in the page, and starts it again with a rating table the player
// gives: the chosen file becomes RatingTable.txt in the program's folder before the program
// starts, so the program reads it on its one start-up path, with every message it gives on
// the desktop.
'use strict';

// The program refuses a table larger than this; one byte more is all it needs to see that.
const maxTableBytes = 16 * 1024 * 1024;
// Where the program looks for its Japanese face (the page's Qt has no fonts of its own).
const fontFile = '/fonts/sheet-gothic.ttf';

const status = document.getElementById('status');
const sheetHolder = document.getElementById('sheet');

// The page's large files travel gzip-compressed whatever the server does; a server that
// undoes the compression itself hands over the plain bytes, which are taken as they are.
async function fetchBytes(name) {
  const response = await fetch(name);
  if (!response.ok)
    throw new Error(`${name}: ${response.status} ${response.statusText}`);
  const bytes = new Uint8Array(await response.arrayBuffer());
  if (!name.endsWith('.gz') || bytes[0] !== 0x1f || bytes[1] !== 0x8b)
    return bytes;
  const plain = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(plain).arrayBuffer());
}

// Fetched and compiled once: every start of the program reuses them.
const program = fetchBytes('combat-sheet.wasm.gz').then((bytes) => WebAssembly.compile(bytes));
const font = fetchBytes('fonts/sheet-gothic.ttf.gz');
const exampleTable = fetchBytes('RatingTable.txt');

let starts = 0;

// Starts the program afresh in a new screen of the page. `table` holds the bytes that become
// RatingTable.txt; null leaves the folder without one.
async function startSheet(table, description) {
  const start = ++starts;
  status.textContent = 'Loading the sheet…';
  const screen = document.createElement('div');
  screen.className = 'sheet-screen';
  sheetHolder.replaceChildren(screen);
  const [module, fontBytes] = await Promise.all([program, font]);
  if (start !== starts)
    return; // a later table took this one's place meanwhile
  await qtLoad({
    thisProgram: 'combat-sheet', // the name its dialogs take their title from
    preRun: [(instance) => {
      instance.FS.mkdirTree('/fonts');
      instance.FS.writeFile(fontFile, fontBytes);
      if (table)
        instance.FS.writeFile('RatingTable.txt', table);
    }],
    qt: {
      module,
      entryFunction: globalThis.combat_sheet_entry,
      containerElements: [screen],
      onLoaded: () => {
        if (start === starts)
          status.textContent = description;
      },
      onExit: (exit) => {
        if (start !== starts)
          return;
        status.textContent = exit.crashed ? `The sheet stopped: ${exit.text ?? 'unknown fault'}.`
                                          : 'The sheet is closed. Reload the page to play again.';
      },
    },
  });
}

async function useTable(file) {
  let bytes = null;
  try {
    bytes = new Uint8Array(await file.slice(0, maxTableBytes + 1).arrayBuffer());
  } catch {
    // A folder or an unreadable file: the program finds no table and says it cannot open one.
  }
  await startSheet(bytes, `Playing with the table from ${file.name}.`);
}

function failed(fault) {
  status.textContent = `The sheet could not start: ${fault.message ?? fault}.`;
}

const tableInput = document.getElementById('table-file');
tableInput.addEventListener('change', () => {
  const file = tableInput.files[0];
  tableInput.value = ''; // choosing the same file again starts again
  if (file)
    useTable(file).catch(failed);
});

// A file dropped anywhere on the page is a table; the sheet's fields never see it. Text
// dragged onto a field is the sheet's to take.
const carriesFiles = (event) => event.dataTransfer?.types.includes('Files');
for (const type of ['dragenter', 'dragover']) {
  document.addEventListener(type, (event) => {
    if (!carriesFiles(event))
      return;
    event.preventDefault();
    event.stopPropagation();
    event.dataTransfer.dropEffect = 'copy';
    document.body.classList.add('dropping');
  }, true);
}
document.addEventListener('dragleave', (event) => {
  if (!event.relatedTarget)
    document.body.classList.remove('dropping');
}, true);
document.addEventListener('drop', (event) => {
  if (!carriesFiles(event))
    return;
  event.preventDefault();
  event.stopPropagation();
  document.body.classList.remove('dropping');
  const file = event.dataTransfer.files[0];
  if (file)
    useTable(file).catch(failed);
}, true);

exampleTable.then((bytes) => startSheet(bytes, 'Playing with the example rating table.'))
  .catch(failed);
