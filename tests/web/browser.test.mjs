// The web build in a headless browser: the picture, the motion against the native trajectory, a
// lost WebGL context coming back, each kind of press ending it and releases alone not; as an
// app, installable, running offline and replaced by a new build. Needs BOUNCE_WEB and
// BOUNCE_TRAJECTORY set; BOUNCE_BROWSER is chromium (the default) or firefox.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {cp, mkdtemp, readFile, rm, writeFile} from 'node:fs/promises';
import {tmpdir} from 'node:os';
import {join} from 'node:path';
import {setTimeout as sleep} from 'node:timers/promises';
import {after, test} from 'node:test';
import puppeteer from 'puppeteer-core';
import {serve} from '../../web/serve.mjs';

const engines = {
  chromium: {executablePath: '/usr/bin/chromium', args: ['--use-angle=swiftshader',
    '--enable-unsafe-swiftshader', '--no-sandbox', '--disable-background-networking']},
  // Firefox draws WebGL headless only with both the pref and EGL forced. Under remote control
  // it grants the page's request for full screen without a user gesture and then ignores the
  // viewport's size, so its full-screen API is turned off.
  firefox: {browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
    extraPrefsFirefox: {'webgl.force-enabled': true, 'full-screen-api.enabled': false},
    env: {...process.env, MOZ_WEBGL_FORCE_EGL: '1'}},
};
const engine = process.env.BOUNCE_BROWSER ?? 'chromium';
// Over BiDi puppeteer sizes a viewport together with a screen orientation, which Firefox 140
// does not know: there the viewport alone is sized, and touch is left to the tap itself.
const resize = (page, {width, height, hasTouch}) => (engine === 'firefox'
  ? page.mainFrame().browsingContext.setViewport({viewport: {width, height}})
  : page.setViewport({width, height, hasTouch}));
const trajectory = Uint8Array.from(execFileSync(process.env.BOUNCE_TRAJECTORY));
const floats = new Float32Array(trajectory.buffer);
const native = Array.from({length: floats.length / 3}, (_, i) => floats.slice(3 * i, 3 * i + 3));
const errors = [];
const [server, browser] = await Promise.all([serve(process.env.BOUNCE_WEB),
  puppeteer.launch({headless: true, protocolTimeout: 30000, ...engines[engine]})]);
after(async () => { await browser.close(); server.close(); });
test.afterEach(async () => {
  const contexts = browser.browserContexts().filter((c) => c !== browser.defaultBrowserContext());
  await Promise.all(contexts.map((context) => context.close()));
  assert.deepEqual(errors.splice(0), [], 'no uncaught error on the page');
});

// Runs in the page before it loads: notes the releases, stops the presses while asked to (a
// protocol may drop a release sent without its press), and records each draw's time and
// position (the translation of the GL emulation's modelview matrix, as handed to glTranslatef).
function recordDraws() {
  const gl = WebGLRenderingContext.prototype, draw = gl.drawElements;
  [window.draws, window.releases, window.stopPresses] = [[], [], false];
  for (const type of ['keyup', 'mouseup']) {
    addEventListener(type, (event) => releases.push(event.keyCode ?? event.button), true);
  }
  for (const type of ['keydown', 'mousedown']) {
    addEventListener(type, (event) => stopPresses && event.stopImmediatePropagation(), true);
  }
  gl.drawElements = function (...args) {
    draws.push({time: performance.now(), position: [...GLImmediate.matrix[0].slice(12, 15)]});
    return draw.apply(this, args);
  };
}

async function open({width = 640, height = 480, hasTouch = false, context, at = server} = {}) {
  const page = await (context ?? (await browser.createBrowserContext())).newPage();
  page.on('pageerror', (error) => errors.push(error.message));
  await resize(page, {width, height, hasTouch});
  await page.evaluateOnNewDocument(recordDraws);
  await page.goto(`http://127.0.0.1:${at.address().port}/bounce.html`);
  await page.waitForFunction(() => draws.length > 0);
  await page.evaluate(() => { Module.onExit = (status) => { window.exitStatus = status; }; });
  return page;
}

// The screenshot's size, its white pixels, their bounding box's size, and the count of other
// non-black ones.
const picture = async (page) => page.evaluate(async (png) => {
  const image = await createImageBitmap(await (await fetch(png)).blob()), width = image.width;
  const context = new OffscreenCanvas(width, image.height).getContext('2d');
  context.drawImage(image, 0, 0);
  const {data} = context.getImageData(0, 0, width, image.height), sums = [];
  for (let i = 0; i < data.length; i += 4) sums.push(data[i] + data[i + 1] + data[i + 2]);
  const white = [...sums.keys()].filter((i) => sums[i] === 765);
  const span = (v) => Math.max(...v) - Math.min(...v) + 1;
  return {width, height: image.height, white: white.length,
    other: sums.filter((sum) => sum % 765).length,
    w: span(white.map((i) => i % width)), h: span(white.map((i) => Math.floor(i / width)))};
}, `data:image/png;base64,${await page.screenshot({encoding: 'base64'})}`);

// A tenth of the screenshot wide and high.
async function assertOneSquare(page) {
  const {width, height, white, other, w, h} = await picture(page);
  assert.ok(other === 0 && white === w * h, 'one white square on black');
  assert.ok(Math.abs(w - width / 10) <= 1 && Math.abs(h - height / 10) <= 1, `${w}x${h}`);
}

// Every draw is a position of the native trajectory, in order, bit for bit; returns the steps.
async function assertOnNativePath(page) {
  const draws = await page.evaluate(() => draws);
  let step = 0;
  for (const {position} of draws) {
    while (step < native.length && !native[step].every((v, i) => Object.is(v, position[i]))) step++;
    assert.ok(step < native.length, `${position} is not on the native path after the last frame`);
  }
  return {draws, step};
}

test(`${engine}: a white square a tenth of the canvas wide and high follows the native path`, async (t) => {
  const page = await open();
  for (const [width, height, wait] of [[640, 480, 3000], [400, 300, 300]]) {
    await resize(page, {width, height});
    await sleep(wait);
    const canvas = await page.evaluate(() => [canvas.width, canvas.height, document.title]);
    assert.deepEqual(canvas, [width, height, 'Hello World']);
    await assertOneSquare(page);
  }
  const {draws, step} = await assertOnNativePath(page);
  const [first, last] = [draws[0], draws.at(-1)], seconds = (last.time - first.time) / 1000;
  assert.ok(last.position[0] < first.position[0] && last.position[1] < first.position[1]);
  const rate = (count) => (count / seconds).toFixed(0);
  t.diagnostic(`first frame ${first.time.toFixed(0)} ms after navigation; per second: ` +
    `${rate(step)} idle calls, ${rate(draws.length - 1)} frames`);
});

test(`${engine}: a lost WebGL context comes back, the square on the native path`, async () => {
  const page = await open();
  // Frames follow the idle steps' redraw requests, so frames drawn into the lost context show
  // that the motion goes on.
  const [lost, before, during] = await page.evaluate(async () => {
    window.loseContext = Module.ctx.getExtension('WEBGL_lose_context');
    const before = (loseContext.loseContext(), draws.length);
    await new Promise((resolve) => setTimeout(resolve, 500));
    return [Module.ctx.isContextLost(), before, draws.length];
  });
  assert.ok(lost && during > before, 'lost, and the motion goes on');
  await page.evaluate(() => loseContext.restoreContext());
  await page.waitForFunction((n) => !Module.ctx.isContextLost() && draws.length > n + 30, {}, during);
  await assertOneSquare(page);
  await assertOnNativePath(page);
});

test(`${engine}: can be installed as an app that asks for full screen`,
  {skip: engine !== 'chromium' && 'it installs no web apps on Linux'}, async () => {
    // Chromium offers no install from the incognito contexts the other cases use.
    const page = await open({context: browser.defaultBrowserContext()});
    const session = await page.createCDPSession();
    const {installabilityErrors} = await session.send('Page.getInstallabilityErrors');
    const {errors, manifest} = await session.send('Page.getAppManifest');
    await page.close();
    assert.deepEqual([installabilityErrors, errors], [[], []]);
    assert.match(manifest.display, /^k?fullscreen$/i, 'the display mode, as Chromium names it');
  });

test(`${engine}: after one visit it runs offline, until a new build replaces it`, async (t) => {
  // The next build: the same files but for the page's title, and a worker of another name.
  const web = process.env.BOUNCE_WEB, next = await mkdtemp(join(tmpdir(), 'bounce-'));
  await cp(web, next, {recursive: true});
  for (const [file, from, to] of [['bounce.html', '>Hello World<', '>Next build<'],
    ['service-worker.js', /bounce-[0-9a-f]+/, 'bounce-next']]) {
    await writeFile(join(next, file), (await readFile(join(web, file), 'utf8')).replace(from, to));
  }
  const servers = [await serve(web)], port = servers[0].address().port;
  const stop = (s) => { s.close(); s.closeAllConnections(); };
  t.after(() => { servers.forEach(stop); return rm(next, {recursive: true}); });

  const page = await open({at: servers[0]});
  await page.waitForFunction(() => navigator.serviceWorker.controller);
  stop(servers[0]);
  await page.reload();
  await sleep(1000);
  assert.ok(await page.evaluate(() => !!navigator.serviceWorker.controller), 'served offline');
  await assertOneSquare(page);
  await assertOnNativePath(page);

  // The browser looks for a new worker on each visit; the new one takes over at once.
  servers.push(await serve(next, port));
  await page.reload();
  await page.waitForFunction(async () => (await caches.keys()).join() === 'bounce-next');
  await page.reload();
  assert.equal(await page.title(), 'Next build');
});

// A press of any kind ends the program at once; releases alone leave it running.
const keys = ['q', 'F1', 'ArrowLeft', 'Shift'].map((key) => [key, (p) => p.keyboard.press(key)]);
const clicks = ['left', 'middle', 'right'].map((b) => [b, (p) => p.mouse.click(1, 1, {button: b})]);
const releases = async (p) => {
  await p.evaluate(() => { stopPresses = true; });
  for (const key of ['a', 'F1']) await p.keyboard.press(key);
  await p.mouse.click(1, 1);
};
for (const [name, act, options] of [...keys, ...clicks, ['wheel', (p) => p.mouse.wheel({deltaY: 100})],
  ['tap', (p) => p.touchscreen.tap(1, 1), {hasTouch: true}], ['releases alone', releases]]) {
  const ends = name !== 'releases alone';
  test(`${engine}: ${name}: ${ends ? 'ends with status 0, keeping the last frame' : 'runs on'}`, async () => {
    const page = await open(options);
    await act(page);
    await sleep(400);
    const [status, drawn] = await page.evaluate(() => [window.exitStatus ?? null, draws.length]);
    await sleep(300);
    assert.equal(status, ends ? 0 : null);
    assert.equal(await page.evaluate(() => draws.length) === drawn, ends, 'frames stop at the end');
    const {white, other} = await picture(page);
    assert.ok(other === 0 && white > 2500, 'the square is there');
    if (!ends) assert.deepEqual(await page.evaluate(() => releases), [65, 112, 0], 'releases came');
  });
}
