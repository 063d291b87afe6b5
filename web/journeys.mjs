// Wedgora's web journeys: the real web build in headless Chromium, played with real input and
// read back from the canvas. Usage: node journeys.mjs http://127.0.0.1:PORT/
import { chromium } from 'playwright-core';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const url = process.argv[2];
if (!url) {
  console.error('usage: node journeys.mjs URL');
  process.exit(2);
}

// --- what the game draws, in page pixels and 0xAARRGGBB colours ---
const GREY = 0xff1e1e1e;
const BLUE = 0xff0000ff;
const BLACK = 0xff000000;
const YELLOW = 0xffffff00;
const SEGMENT_COLOURS = { 0xffc80000: 1, 0xff00c800: 2, 0xff00c8c8: 3, 0xffffc800: 4 };
const CENTRE = { x: 320, y: 250 };
const PIES = [null, [320, 130], [220, 190], [420, 190], [220, 310], [420, 310], [320, 370]];
const CORNERS = [null, [0, -5], [-4, -3], [-4, 3], [0, 5], [4, 3], [4, -2]];
const RADIUS = 45;

// Nearest integer, ties to even, as the game rounds.
function nearest(v) {
  const r = Math.round(v);
  return Math.abs(v % 1) === 0.5 && r % 2 !== 0 ? r - 1 : r;
}

// The pixel that the fill of slot s starts from: always inside the segment.
function slotSeed(cx, cy, s) {
  const phi = ((60 * s + 120) * Math.PI) / 180;
  return [cx + CORNERS[s][0] + nearest(20 * Math.sin(phi)), cy + CORNERS[s][1] + nearest(20 * Math.cos(phi))];
}

const hex = (c) => '0x' + (c >>> 0).toString(16).toUpperCase().padStart(8, '0');

function check(condition, message) {
  if (!condition) throw new Error(message);
}

function checkEqual(actual, expected, what) {
  if (actual !== expected) {
    const show = (v) => (typeof v === 'number' && v > 0xffffff ? hex(v) : JSON.stringify(v));
    throw new Error(`${what}: expected ${show(expected)}, got ${show(actual)}`);
  }
}

// --- reading the page ---
async function pixels(page, points) {
  return page.evaluate((pts) => {
    const context = Module.canvas.getContext('2d');
    return pts.map(([x, y]) => {
      const d = context.getImageData(x, y, 1, 1).data;
      return ((d[3] << 24) | (d[0] << 16) | (d[1] << 8) | d[2]) >>> 0;
    });
  }, points);
}

const pixel = async (page, x, y) => (await pixels(page, [[x, y]]))[0];

async function waitForPixel(page, x, y, colour, what, timeout = 10000) {
  try {
    await page.waitForFunction(
      ([x, y, colour]) => {
        if (typeof Module === 'undefined' || !Module.framesShown) return false;
        const d = Module.canvas.getContext('2d').getImageData(x, y, 1, 1).data;
        return (((d[3] << 24) | (d[0] << 16) | (d[1] << 8) | d[2]) >>> 0) === colour;
      },
      [x, y, colour],
      { timeout },
    );
  } catch {
    throw new Error(`${what}: (${x}, ${y}) never became ${hex(colour)}; it is ${hex(await pixel(page, x, y))}`);
  }
}

async function waitWhile(page, x, y, colour, what, timeout = 10000) {
  try {
    await page.waitForFunction(
      ([x, y, colour]) => {
        const d = Module.canvas.getContext('2d').getImageData(x, y, 1, 1).data;
        return (((d[3] << 24) | (d[0] << 16) | (d[1] << 8) | d[2]) >>> 0) !== colour;
      },
      [x, y, colour],
      { timeout },
    );
  } catch {
    throw new Error(`${what}: (${x}, ${y}) stayed ${hex(colour)}`);
  }
}

const framesShown = (page) => page.evaluate(() => Module.framesShown || 0);

async function waitFrames(page, count) {
  const start = await framesShown(page);
  await page.waitForFunction((n) => Module.framesShown >= n, start + count, { timeout: 10000 });
}

// The segment the centre pie shows: [slot, colour code], or null when there is none.
async function centreSegment(page) {
  const seeds = [1, 2, 3, 4, 5, 6].map((s) => slotSeed(CENTRE.x, CENTRE.y, s));
  const colours = await pixels(page, seeds);
  const found = [];
  colours.forEach((c, i) => {
    if (SEGMENT_COLOURS[c]) found.push([i + 1, SEGMENT_COLOURS[c]]);
  });
  check(found.length <= 1, `the centre pie shows ${found.length} segments`);
  return found[0] || null;
}

async function waitForCentreSegment(page) {
  const deadline = Date.now() + 10000;
  for (;;) {
    const segment = await centreSegment(page);
    if (segment) return segment;
    check(Date.now() < deadline, 'the centre pie never showed a segment');
    await page.waitForTimeout(20);
  }
}

async function endedState(page) {
  return page.evaluate(() => ({
    shown: !document.getElementById('ended').hidden,
    message: document.getElementById('ended-message').textContent,
    report: document.getElementById('ended-report').textContent,
    exitCode: Module.exitCode,
    standardError: Module.standardError,
  }));
}

async function waitForEnd(page) {
  await page.waitForFunction(() => !document.getElementById('ended').hidden, null, { timeout: 10000 });
  return endedState(page);
}

// Where the page shows page pixel (x, y): the middle of its square on the scaled canvas.
async function clientPoint(page, x, y) {
  const box = await page.locator('#canvas').boundingBox();
  return [box.x + ((x + 0.5) * box.width) / 640, box.y + ((y + 0.5) * box.height) / 480];
}

async function openGame(page, viewport = { width: 1280, height: 720 }) {
  await page.setViewportSize(viewport);
  await page.goto(url);
  // The title box's rim is the first thing the game waits on.
  await waitForPixel(page, 120, 90, BLUE, 'title box rim');
}

async function startGame(page) {
  await page.keyboard.press(' ');
  return waitForCentreSegment(page);
}

// --- the journeys ---
const journeys = [];
const journey = (name, run) => journeys.push({ name, run });

journey('the title box is drawn on an opaque 640 x 480 canvas, titled as the window', async (page) => {
  await openGame(page, { width: 640, height: 480 });
  const size = await page.evaluate(() => [Module.canvas.width, Module.canvas.height]);
  checkEqual(size.join('x'), '640x480', 'canvas size');
  const facts = [
    [[0, 30], GREY, 'band, top left'],
    [[639, 30], GREY, 'band, top right'],
    [[0, 450], GREY, 'band, bottom left'],
    [[639, 450], GREY, 'band, bottom right'],
    [[120, 90], BLUE, 'rim, top left corner'],
    [[520, 390], BLUE, 'rim, bottom right corner'],
    [[122, 92], BLUE, 'rim, third pixel in'],
    [[123, 93], BLACK, 'panel, top left corner'],
    [[517, 387], BLACK, 'panel, bottom right corner'],
    [[119, 90], GREY, 'band just left of the rim'],
    [[521, 390], GREY, 'band just right of the rim'],
  ];
  const got = await pixels(page, facts.map((f) => f[0]));
  facts.forEach(([, colour, what], i) => checkEqual(got[i], colour, what));
  // The title "Wedgora" in red, centred at (292, 96): some of its cells' pixels are red.
  const red = await page.evaluate(() => {
    const d = Module.canvas.getContext('2d').getImageData(292, 96, 56, 16).data;
    let n = 0;
    for (let i = 0; i < d.length; i += 4) if (d[i] === 255 && d[i + 1] === 0 && d[i + 2] === 0) ++n;
    return n;
  });
  check(red > 40, `the title's glyphs: only ${red} red pixels`);
  const translucent = await page.evaluate(() => {
    const d = Module.canvas.getContext('2d').getImageData(0, 0, 640, 480).data;
    let n = 0;
    for (let i = 3; i < d.length; i += 4) if (d[i] !== 255) ++n;
    return n;
  });
  checkEqual(translucent, 0, 'pixels that are not opaque');
  const title = await page.title();
  check(title.startsWith('Wedgora v1.01 (26/10/2022) - ') && title.length === 46, `page title ${JSON.stringify(title)}`);
});

journey('browser keys read as the desktop key texts and hold their set-1 keys', async (page) => {
  await openGame(page);
  // [KeyboardEvent.key, KeyboardEvent.code, text bytes in hex, scan code, Ctrl held]
  const cases = [
    ['q', 'KeyQ', '71', 0x10],
    ['Q', 'KeyQ', '51', 0x10],
    ['a', 'KeyQ', '61', 0x10], // another layout: the text is what it types, the key is where it is
    [' ', 'Space', '20', 0x39],
    ['p', 'KeyP', '70', 0x19],
    ['7', 'Digit7', '37', 0x08],
    ['0', 'Digit0', '30', 0x0b],
    ['/', 'NumpadDivide', '2f', 0x35],
    ['Escape', 'Escape', '1b', 0x01],
    ['Enter', 'Enter', '0d', 0x1c],
    ['Enter', 'NumpadEnter', '0d', 0x1c],
    ['Backspace', 'Backspace', '08', 0x0e],
    ['Tab', 'Tab', '09', 0x0f],
    ['ArrowUp', 'ArrowUp', 'ff48', 0x48],
    ['ArrowDown', 'ArrowDown', 'ff50', 0x50],
    ['ArrowLeft', 'ArrowLeft', 'ff4b', 0x4b],
    ['ArrowRight', 'ArrowRight', 'ff4d', 0x4d],
    ['Home', 'Home', 'ff47', 0x47],
    ['End', 'End', 'ff4f', 0x4f],
    ['PageUp', 'PageUp', 'ff49', 0x49],
    ['PageDown', 'PageDown', 'ff51', 0x51],
    ['Insert', 'Insert', 'ff52', 0x52],
    ['Delete', 'Delete', 'ff53', 0x53],
    ['F1', 'F1', 'ff3b', 0x3b],
    ['F10', 'F10', 'ff44', 0x44],
    ['F11', 'F11', 'ff57', 0x57],
    ['ArrowUp', 'Numpad8', 'ff48', 0x48],
    ['Shift', 'ShiftLeft', '', 0x2a],
    ['Control', 'ControlRight', '', 0x1d],
    ['Dead', 'BracketLeft', '', 0x1a],
    ['é', 'Digit2', '', 0x03],
    ['q', '', '71', 0x10], // a browser that names no physical key
    ['Escape', '', '1b', 0x01],
    ['Unidentified', 'Lang1', '', 0],
    ['q', 'KeyQ', '11', 0x10, true], // Ctrl with a letter types its control code
    ['Q', 'KeyQ', '11', 0x10, true],
    ['z', 'KeyZ', '1a', 0x2c, true],
    ['7', 'Digit7', '37', 0x08, true], // only letters
    ['ArrowUp', 'ArrowUp', 'ff48', 0x48, true],
  ];
  const answers = await page.evaluate((cases) => {
    const put = (s) => {
      const p = Module._malloc(64);
      Module.stringToUTF8(s, p, 64);
      return p;
    };
    return cases.map(([key, code, , , control]) => {
      const k = put(key);
      const c = put(code);
      const answer = Module.UTF8ToString(Module._wedgora_key_probe(k, c, control ? 1 : 0));
      Module._free(k);
      Module._free(c);
      return answer;
    });
  }, cases);
  cases.forEach(([key, code, text, scancode, control], i) =>
    checkEqual(answers[i], `${text} ${scancode}`, `${control ? 'Ctrl ' : ''}key ${JSON.stringify(key)} code ${JSON.stringify(code)}`),
  );
});

journey('a quick click whose press and release fall between two polls starts the game', async (page) => {
  await openGame(page);
  // Both events in one task of the page: the game cannot poll between them.
  await page.evaluate(() => {
    const canvas = Module.canvas;
    const rect = canvas.getBoundingClientRect();
    const at = { clientX: rect.left + 10, clientY: rect.top + 10, bubbles: true, button: 0 };
    canvas.dispatchEvent(new MouseEvent('mousemove', at));
    canvas.dispatchEvent(new MouseEvent('mousedown', { ...at, buttons: 1 }));
    canvas.dispatchEvent(new MouseEvent('mouseup', at));
  });
  await waitForCentreSegment(page);
});

journey('space starts; a click on a pie places the centre segment there', async (page) => {
  await openGame(page);
  // The first turn has just begun: three seconds to read the centre pie and click.
  const [slot, colour] = await startGame(page);
  const [x, y] = await clientPoint(page, ...PIES[1]);
  await page.mouse.click(x, y);
  const seed = slotSeed(...PIES[1], slot);
  const wanted = Number(Object.keys(SEGMENT_COLOURS).find((c) => SEGMENT_COLOURS[c] === colour));
  await waitForPixel(page, ...seed, wanted, `pie 1 slot ${slot} after the click`);
  // The centre pie deals a new segment, different in colour and slot.
  const next = await waitForCentreSegment(page);
  check(next[0] !== slot && next[1] !== colour, `new segment ${next} repeats ${[slot, colour]}`);
  // Nothing else on the board took a segment.
  for (let pie = 1; pie <= 6; ++pie) {
    const seeds = [1, 2, 3, 4, 5, 6].map((s) => slotSeed(...PIES[pie], s));
    const got = await pixels(page, seeds);
    got.forEach((c, i) => {
      const filled = Boolean(SEGMENT_COLOURS[c]);
      check(filled === (pie === 1 && i + 1 === slot), `pie ${pie} slot ${i + 1} is ${hex(c)}`);
    });
  }
});

journey('the pointer maps to page pixels on a scaled canvas; outside it or unfocused it is gone', async (page) => {
  await openGame(page); // 1280 x 720: the canvas is drawn 1.5 times larger
  const box = await page.locator('#canvas').boundingBox();
  check(Math.abs(box.width - 960) < 0.01 && Math.abs(box.height - 720) < 0.01, `canvas shown ${box.width}x${box.height}`);
  await startGame(page);
  const rim = [320, 130 - 50]; // pie 1's rim: yellow while the pointer is over its square
  const over = (x) => page.mouse.move(box.x + x, box.y + 130 * 1.5 + 0.75);
  // Page column 364 is the last inside pie 1's square (x < 365); it covers client columns
  // 546 up to 547.5 of the canvas, and the mapping rounds down.
  await over(547);
  await waitForPixel(page, ...rim, YELLOW, 'rim with the pointer on column 364');
  await over(548);
  await waitForPixel(page, ...rim, BLUE, 'rim with the pointer on column 365');
  await over(547);
  await waitForPixel(page, ...rim, YELLOW, 'rim with the pointer back on column 364');
  // The margin beside the canvas is outside the picture.
  await page.mouse.move(box.x - 20, box.y + 130 * 1.5);
  await waitForPixel(page, ...rim, BLUE, 'rim with the pointer left of the canvas');
  await over(480);
  await waitForPixel(page, ...rim, YELLOW, 'rim with the pointer over pie 1');
  // Without the focus every mouse reading is -1.
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  await waitForPixel(page, ...rim, BLUE, 'rim once the page lost the focus');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('focus')));
  await waitForPixel(page, ...rim, YELLOW, 'rim once the page has the focus again');
  // An element of the page losing the focus is not the window losing it.
  await page.evaluate(() => {
    Module.canvas.focus();
    Module.canvas.blur();
  });
  await waitFrames(page, 3);
  checkEqual(await pixel(page, ...rim), YELLOW, 'rim after the canvas, not the window, lost the focus');
});

journey('"p" pauses, the page stays alive, and a key resumes', async (page) => {
  await openGame(page);
  await startGame(page);
  const rim = [320, 80];
  await waitForPixel(page, ...rim, BLUE, 'pie 1 rim in play');
  await page.keyboard.press('p');
  await waitForPixel(page, ...rim, GREY, 'pause box over pie 1');
  const facts = await pixels(page, [[0, 30], [639, 450], [320, 200]]);
  facts.forEach((c, i) => checkEqual(c, GREY, `pause box pixel ${i}`));
  // "Wedgora is Paused" (17 characters) is centred at x = 320 - 68, row 240, in yellow.
  const yellow = await page.evaluate(() => {
    const d = Module.canvas.getContext('2d').getImageData(252, 240, 136, 16).data;
    let n = 0;
    for (let i = 0; i < d.length; i += 4) if (d[i] === 255 && d[i + 1] === 255 && d[i + 2] === 0) ++n;
    return n;
  });
  check(yellow > 100, `the pause line: only ${yellow} yellow pixels`);
  // The pause screen shows one page and waits; the page itself keeps running.
  const frozen = await framesShown(page);
  const ticks = await page.evaluate(
    () => new Promise((done) => {
      let n = 0;
      const tick = () => (++n < 10 ? requestAnimationFrame(tick) : done(n));
      requestAnimationFrame(tick);
    }),
  );
  checkEqual(ticks, 10, 'animation frames of the page during the pause');
  checkEqual(await framesShown(page), frozen, 'pages shown during the pause');
  await page.keyboard.press('k');
  await waitForPixel(page, ...rim, BLUE, 'pie 1 rim after the pause');
  await waitFrames(page, 5);
});

journey('"q" ends the game dimmed but opaque; "q" on the title ends the program and the page says so', async (page) => {
  await openGame(page);
  await startGame(page);
  await waitForPixel(page, 320, 80, BLUE, 'pie 1 rim in play');
  await page.keyboard.press('q');
  // The game-over screen halves every byte of the page, alpha included; the canvas stays opaque.
  await waitForPixel(page, 320, 80, 0xff00007f, 'pie 1 rim dimmed on the game-over screen');
  const translucent = await page.evaluate(() => {
    const d = Module.canvas.getContext('2d').getImageData(0, 0, 640, 480).data;
    let n = 0;
    for (let i = 3; i < d.length; i += 4) if (d[i] !== 255) ++n;
    return n;
  });
  checkEqual(translucent, 0, 'pixels that are not opaque after dimming');
  await page.keyboard.press(' ');
  await waitForPixel(page, 120, 90, BLUE, 'title box after the game');
  check(!(await endedState(page)).shown, 'the page says the program ended while the title waits');
  await page.keyboard.press('q');
  const end = await waitForEnd(page);
  checkEqual(end.exitCode, 0, 'exit code');
  checkEqual(end.message, 'Wedgora has ended. Thanks for playing!', 'the page message');
  checkEqual(end.report, '', 'report shown on a normal end');
  // "Play again" starts the program afresh.
  const restart = page.locator('#restart');
  check(await restart.isVisible(), 'the Play again button is not visible');
  await page.keyboard.press('Enter'); // the button has the focus
  await page.waitForFunction(() => Module.framesShown >= 1 && !Module.exitCode, null, { timeout: 10000 });
  await waitForPixel(page, 120, 90, BLUE, 'title box after Play again');
  check(!(await endedState(page)).shown, 'the end message is still shown after Play again');
});

journey('a tap of Esc on the title, too quick for any poll to see it held, ends the program', async (page) => {
  await openGame(page);
  await page.evaluate(() => {
    window.dispatchEvent(new KeyboardEvent('keydown', { key: 'Escape', code: 'Escape' }));
    window.dispatchEvent(new KeyboardEvent('keyup', { key: 'Escape', code: 'Escape' }));
  });
  const end = await waitForEnd(page);
  checkEqual(end.exitCode, 0, 'exit code after Esc');
});

journey('Esc held on the title keeps the box open until it is let go', async (page) => {
  await openGame(page);
  await page.keyboard.down('Escape');
  await page.waitForTimeout(300);
  check(!(await endedState(page)).shown, 'the program ended while Esc was held');
  await page.keyboard.up('Escape');
  checkEqual((await waitForEnd(page)).exitCode, 0, 'exit code after Esc');
});

journey('a run-time error report is shown on the page with its exit code', async (page) => {
  await openGame(page);
  // The drill makes the title box's next input poll fail, inside the game, as a real fault would.
  await page.evaluate(() => Module._wedgora_fail_drill(6));
  const end = await waitForEnd(page);
  checkEqual(end.exitCode, 6, 'exit code');
  check(/^\nAborting due to runtime error 6 \(out of bounds array access\) at line \d+ of wedgora::MESSBOX\(\)\n\n$/.test(end.standardError),
    `standard error ${JSON.stringify(end.standardError)}`);
  checkEqual(end.report, end.standardError.trim(), 'report shown on the page');
  checkEqual(end.message, 'Wedgora stopped with a run-time error (exit code 6).', 'the page message');
  // The dead program no longer takes the keys: Enter reaches the focused button.
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => Module.framesShown >= 1 && !Module.exitCode, null, { timeout: 10000 });
  await waitForPixel(page, 120, 90, BLUE, 'title box after Start again');
});

journey('a page that cannot load the program says so instead of staying blank', async (page) => {
  for (const file of ['wedgora_web.wasm', 'wedgora_web.js']) {
    await page.unrouteAll();
    await page.route(`**/${file}`, (route) => route.abort());
    await page.goto(url);
    const end = await waitForEnd(page);
    checkEqual(end.message, 'Wedgora stopped: the page could not run it.', `the page message without ${file}`);
    check(end.report.length > 0, `no reason shown without ${file}`);
  }
  return { expectPageErrors: true };
});

// --- the runner ---
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'wedgora-chromium-'));
const artifacts = fs.mkdtempSync(path.join(os.tmpdir(), 'wedgora-journeys-'));
let context;
let passed = 0;
let failed = 0;
try {
  context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: [
      '--headless',
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
  for (const { name, run } of journeys) {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    const started = Date.now();
    try {
      const outcome = await run(page);
      if (!outcome?.expectPageErrors) check(errors.length === 0, `errors on the page: ${errors.join('; ')}`);
      ++passed;
      console.log(`ok   ${name} (${Date.now() - started} ms)`);
    } catch (e) {
      ++failed;
      const shot = path.join(artifacts, `journey-${passed + failed}.png`);
      await page.screenshot({ path: shot }).catch(() => {});
      console.log(`FAIL ${name} (${Date.now() - started} ms)\n     ${e.message.split('\n')[0]}\n     screenshot: ${shot}`);
    } finally {
      await page.close().catch(() => {});
    }
  }
} catch (e) {
  ++failed;
  console.log(`FAIL the browser: ${e.message.split('\n')[0]}`);
} finally {
  if (context) await context.close().catch(() => {});
  fs.rmSync(profile, { recursive: true, force: true });
  if (failed === 0) fs.rmSync(artifacts, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
