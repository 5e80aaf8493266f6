// Plays the show's web page in headless Chromium and checks what a visitor
// gets: the first frame soon after loading, the sound hint until the first key,
// the audio output being fed once sound may start, the parts walked through
// with Space in the desktop program's colours, the helix's pause, the
// frame-rate readout on key 8,
// and Escape fading out and ending the show with the page saying so. Then the
// gallery's page, linked from the show's: every effect named on the page and
// in its title, drawn and moving, Space stepping through all of them.
//
// usage: node web_test.mjs SITE_DIR CAPTURE_TOOL [SCREENSHOT.png]
// SITE_DIR holds index.html, vorndemo.js and vorndemo.wasm, gallery.html,
// gallery.js and gallery.wasm (scripts/build-web);
// CAPTURE_TOOL is the native vorndemo-capture, which draws the reference frames.
import { spawn, execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

const [site, captureTool, screenshotPath] = process.argv.slice(2);
if (!site || !captureTool) {
  console.error('usage: node web_test.mjs SITE_DIR CAPTURE_TOOL [SCREENSHOT.png]');
  process.exit(2);
}

let passed = 0;
let failed = 0;
function check(name, ok, detail) {
  if (ok) passed++;
  else failed++;
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail === undefined ? '' : ': ' + detail}`);
}

// Colours (0xRRGGBB) by how many pixels have them, most frequent first, of
// RGB triples (stride 3) or RGBA quads (stride 4); counts added into counts.
function countColours(bytes, stride, counts = new Map()) {
  for (let i = 0; i + 2 < bytes.length; i += stride) {
    const c = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
    counts.set(c, (counts.get(c) || 0) + 1);
  }
  return counts;
}
const mostFrequent = (counts, n) => [...counts].sort((a, b) => b[1] - a[1]).slice(0, n).map(([c]) => c);
const hex = (c) => c.toString(16).padStart(6, '0');
// True if some colour of the list is within 24 of c in every channel (the
// swarm's tiles shift their blue a little as the part runs).
const nearOneOf = (c, list) => list.some((d) => [16, 8, 0].every((s) => Math.abs((c >> s & 255) - (d >> s & 255)) <= 24));

// The pixel bytes of a binary PPM (P6, maxval 255), header comments allowed.
function readPPM(path) {
  const data = readFileSync(path);
  const fields = [];
  let at = 0;
  while (fields.length < 4) {
    while (/\s/.test(String.fromCharCode(data[at]))) at++;
    if (data[at] === 0x23) {  // '#' comment to the end of the line
      while (data[at] !== 0x0a) at++;
      continue;
    }
    let word = '';
    while (!/\s/.test(String.fromCharCode(data[at]))) word += String.fromCharCode(data[at++]);
    fields.push(word);
  }
  if (fields[0] !== 'P6' || fields[3] !== '255') throw new Error(`${path}: not an 8-bit P6 picture`);
  return data.subarray(at + 1);
}

// Reference colours: the native program on its simulated clock, each part cut
// by Space after 60 frames; the ten most frequent colours over the captured
// frames of the second half of the swarm and of the rain. Their backgrounds
// give both parts a few exact colours that any frame of them shows.
function nativeColours() {
  const out = mkdtempSync(join(tmpdir(), 'vorn-web-ref-'));
  try {
    execFileSync(captureTool, ['--out', out, '--frames', '1-1000/5', '--format', 'ppm', '--quiet',
      '--keys', 'swarm+60:space,helix+60:space,sineline+60:space,rain+60:space']);
    const partOf = new Map();
    for (const line of readFileSync(join(out, 'checksums.txt'), 'utf8').split('\n')) {
      const f = line.split(/\s+/);
      if (f[0] === 'frame') partOf.set(Number(f[1]), f[2]);
    }
    const top = {};
    for (const part of ['swarm', 'rain']) {
      const frames = [...partOf].filter(([, p]) => p === part).map(([n]) => n);
      const counts = new Map();
      for (const n of frames.slice(Math.floor(frames.length / 2))) {
        const file = join(out, `frame-${String(n).padStart(5, '0')}.ppm`);
        try { statSync(file); } catch { continue; }
        countColours(readPPM(file), 3, counts);
      }
      if (counts.size === 0) throw new Error(`no captured frame of the ${part}`);
      top[part] = mostFrequent(counts, 10);
    }
    return top;
  } finally {
    rmSync(out, { recursive: true, force: true });
  }
}

// python3 -m http.server on a free port of 127.0.0.1, as the README serves it.
async function serve(dir) {
  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', dir],
    { stdio: ['ignore', 'pipe', 'pipe'] });
  const port = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('http.server did not start')), 10000);
    server.stdout.on('data', (d) => {
      const m = /port (\d+)/.exec(String(d));
      if (m) { clearTimeout(timer); resolve(Number(m[1])); }
    });
    server.on('exit', (code) => reject(new Error(`http.server exited with ${code}`)));
  });
  return { server, url: `http://127.0.0.1:${port}/` };
}

const reference = nativeColours();
const sizes = Object.fromEntries(readdirSync(site).map((f) => [f, statSync(join(site, f)).size]));
console.log('page files (bytes):', JSON.stringify(sizes));
check('the pages, their scripts and their modules are built',
  ['index.html', 'vorndemo.js', 'vorndemo.wasm', 'gallery.html', 'gallery.js', 'gallery.wasm']
    .every((f) => sizes[f] > 0));
check('the pages and their assets stay small (under 1 MiB together)',
  Object.values(sizes).reduce((a, b) => a + b, 0) < 1 << 20);

const { server, url } = await serve(site);
const profile = mkdtempSync(join(tmpdir(), 'vorn-web-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium',
  headless: true,
  viewport: { width: 800, height: 680 },
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run',
    '--disable-component-update', '--disable-sync', '--disable-quic'],
});
const errors = [];
try {
  const page = context.pages()[0] || (await context.newPage());
  const watch = (p) => {
    p.on('pageerror', (e) => errors.push(e.message));
    p.on('requestfailed', (r) => errors.push(`request failed: ${r.url()}`));
    p.on('response', (r) => { if (r.status() >= 400) errors.push(`${r.status()} ${r.url()}`); });
  };
  watch(page);

  const show = () => page.evaluate(() => ({
    part: UTF8ToString(Module._VornWebPart()),
    frame: Module._VornWebFrame(),
    audio: Module._VornWebAudioPosition(),
    state: document.body.dataset.state,
    status: document.getElementById('status').textContent,
  }));
  // The canvas's RGBA bytes, handed over as base64: a quarter of a million
  // numbers as a JSON array take seconds on a busy machine.
  const pixelsOf = async (on) => Buffer.from(await on.evaluate(() => {
    const d = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 256, 256).data;
    let text = '';
    for (let i = 0; i < d.length; i += 8192) text += String.fromCharCode.apply(null, d.subarray(i, i + 8192));
    return btoa(text);
  }), 'base64');
  const canvasBytes = () => pixelsOf(page);
  // Pixels brighter than a dark grey, in the whole canvas.
  const litPixels = (bytes) => {
    let lit = 0;
    for (let i = 0; i < bytes.length; i += 4) if (bytes[i] + bytes[i + 1] + bytes[i + 2] > 96) lit++;
    return lit;
  };
  // Lit pixels of the top-left 128 x 32, where the frame-rate readout goes.
  const readoutPixels = () => page.evaluate(() => {
    const d = document.getElementById('canvas').getContext('2d').getImageData(0, 0, 128, 32).data;
    let lit = 0;
    for (let i = 0; i < d.length; i += 4) if (d[i] + d[i + 1] + d[i + 2] > 96) lit++;
    return lit;
  });
  // A person holds a key for a moment; the show reads keys once per frame and
  // not at all during a fade, so a press shorter than that may be lost.
  const press = async (key, on = page) => {
    await on.keyboard.down(key);
    await on.waitForTimeout(300);
    await on.keyboard.up(key);
  };
  // Space until the named part runs (at most 12 presses).
  const reach = async (part) => {
    for (let i = 0; i < 12 && (await show()).part !== part; i++) {
      await press(' ');
      await page.waitForTimeout(400);
    }
    return (await show()).part;
  };

  const loadStart = Date.now();
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.state === 'running', null, { timeout: 30000 });
  const times = await page.evaluate(() => window.vornTimes);
  console.log(`start-up: module ready after ${times.runtimeMs} ms, first frame after ${times.firstFrameMs} ms ` +
    `(${Date.now() - loadStart} ms from navigation as the test saw it)`);
  check('the first frame is on the canvas within 10 s', times.firstFrameMs !== null && times.firstFrameMs < 10000,
    `${times.firstFrameMs} ms`);

  let s = await show();
  check('before any key the page says how sound starts', /key or click for sound/.test(s.status), s.status);
  await page.waitForTimeout(1000);
  const f0 = s.frame;
  s = await show();
  check('the show runs on its own at about 25 frames a second', s.frame - f0 >= 15 && s.frame - f0 <= 40,
    `${s.frame - f0} frames in 1 s`);

  await press('x');  // a key the show ignores: only the gesture matters
  await page.waitForTimeout(300);
  s = await show();
  check('after the first key the sound hint is gone', s.status === '', JSON.stringify(s.status));
  const positions = new Set();
  for (let i = 0; i < 8; i++) {
    positions.add((await show()).audio);
    await page.waitForTimeout(150);
  }
  const audioState = await page.evaluate(() => (typeof SDL !== 'undefined' && SDL.audioContext
    ? SDL.audioContext.state : 'none'));
  check('the sound plays: audio context running, the fill routine moving through the queue',
    audioState === 'running' && positions.size >= 3, `${audioState}, ${positions.size} distinct positions`);

  for (const part of ['swarm', 'helix', 'sineline', 'rain', 'kaleidoscope']) {
    const reached = await reach(part);
    check(`Space leads to the ${part}`, reached === part, reached);
    await page.waitForTimeout(1500);
    const counts = new Map();
    let lit = 0;
    for (let i = 0; i < 3; i++) {
      const bytes = await canvasBytes();
      countColours(bytes, 4, counts);
      lit = Math.max(lit, litPixels(bytes));
      await page.waitForTimeout(300);
    }
    check(`the ${part} draws (at least its logo)`, lit > 100, `${lit} lit pixels`);
    if (reference[part]) {
      const web = mostFrequent(counts, 2);
      check(`the ${part}'s two main colours are those of the native program (within 24 of one of its ten main colours)`,
        web.every((c) => nearOneOf(c, reference[part])),
        `page ${web.map(hex).join(' ')}; native ${reference[part].map(hex).join(' ')}`);
      if (part === 'swarm' && screenshotPath) await page.screenshot({ path: screenshotPath });
    }
    if (part === 'helix') {
      // The pause waits in short sleeps: the page must stay alive and take the key that resumes it.
      await press('p');
      await page.waitForTimeout(300);
      const pausedAt = (await show()).frame;
      await page.waitForTimeout(800);
      const stillAt = (await show()).frame;
      await press('p');
      await page.waitForTimeout(800);
      const resumedAt = (await show()).frame;
      check('key p pauses the helix and p again resumes it', stillAt === pausedAt && resumedAt > stillAt + 5,
        `frames ${pausedAt} -> ${stillAt} paused -> ${resumedAt}`);
    }
    if (part === 'sineline') {
      // Key 8 where the top-left corner is mostly dark: the readout's two rows
      // of wire-font digits light a few hundred of its pixels. The curve moves
      // through the corner too, so each state is sampled over several frames:
      // the fewest lit pixels with the readout must exceed the most without it.
      const samples = async () => {
        const lit = [];
        for (let i = 0; i < 4; i++) {
          lit.push(await readoutPixels());
          await page.waitForTimeout(120);
        }
        return lit;
      };
      const before = await samples();
      await press('8');
      await page.waitForTimeout(200);
      const shown = await samples();
      await press('8');
      await page.waitForTimeout(200);
      const hidden = await samples();
      const without = Math.max(...before, ...hidden);
      check('key 8 shows the frame-rate readout and hides it again', Math.min(...shown) > without + 150,
        `lit pixels ${before.join('/')} -> ${shown.join('/')} -> ${hidden.join('/')}`);
    }
  }

  await press('Escape');
  await page.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 10000 })
    .catch(() => {});
  s = await show();
  check('Escape ends the show and the page says how to restart it',
    s.state === 'ended' && /has ended.*Reload/.test(s.status), `${s.state}: ${s.status}`);
  const endLit = litPixels(await canvasBytes());
  await page.waitForTimeout(500);
  const after = await show();
  check('the picture faded to black and no frame follows', endLit === 0 && after.frame === s.frame,
    `${endLit} lit pixels, frame ${s.frame} -> ${after.frame}`);

  // The gallery, through the show page's link.
  const link = await page.evaluate(() => document.querySelector('a[href="gallery.html"]')?.textContent);
  check('the show\'s page links to the gallery', Boolean(link), link);
  const gallery = await context.newPage();
  watch(gallery);
  await gallery.goto(url + 'gallery.html');
  await gallery.waitForFunction(() => document.body.dataset.state === 'running', null, { timeout: 30000 })
    .catch(() => {});
  const where = () => gallery.evaluate(() => ({
    ...window.vornGallery, shown: document.getElementById('scene').textContent, title: document.title,
    state: document.body.dataset.state,
  }));
  const galleryPixels = () => pixelsOf(gallery);
  const differing = (a, b) => {
    let n = 0;
    for (let i = 0; i < a.length; i += 4) if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) n++;
    return n;
  };
  let g = await where();
  check('the gallery page starts with its first effect, named on the page and in the title',
    g.state === 'running' && g.scene === 1 && g.scenes > 1 && g.shown === g.name &&
    g.title === `VORNDEMO gallery: ${g.name}`, JSON.stringify(g));
  const backLink = await gallery.evaluate(() => Boolean(document.querySelector('a[href="index.html"]')));
  check('the gallery\'s page links back to the show', backLink);
  const scenes = g.scenes;
  let previous = null;
  const seen = [];
  for (let n = 1; n <= scenes && g.scene === n; n++) {
    await gallery.waitForTimeout(300);
    const a = await galleryPixels();
    await gallery.waitForTimeout(300);
    const b = await galleryPixels();
    const lit = litPixels(b);
    const moved = differing(a, b);
    const changed = previous ? differing(previous, b) : 65536;
    check(`gallery effect ${n} of ${scenes} (${g.name}) draws, moves and differs from the one before`,
      lit > 500 && moved > 50 && changed > 1000, `${lit} lit, ${moved} moved, ${changed} changed`);
    seen.push(g.name);
    previous = b;
    await press(' ', gallery);
    await gallery.waitForFunction((m) => window.vornGallery.scene === m, n % scenes + 1, { timeout: 5000 })
      .catch(() => {});
    g = await where();
  }
  check('Space steps through every effect and comes back to the first',
    seen.length === scenes && g.scene === 1 && new Set(seen).size === scenes, `${seen.join(', ')} -> ${g.scene}`);
  await press('Escape', gallery);
  await gallery.waitForFunction(() => document.body.dataset.state === 'ended', null, { timeout: 10000 })
    .catch(() => {});
  g = await where();
  check('Escape ends the gallery and its page says so', g.state === 'ended', g.state);
  check('no page error and no failed request', errors.length === 0, errors.join('; '));
} finally {
  await context.close();
  server.kill();
  rmSync(profile, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
