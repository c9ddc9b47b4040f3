// The web build in headless Chromium: the picture, the motion against the native trajectory, each
// kind of press ending it and releases alone not. Needs BOUNCE_WEB and BOUNCE_TRAJECTORY set.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {after, test} from 'node:test';
import {chromium} from 'playwright-core';
import {serve} from '../../web/serve.mjs';

const trajectory = Uint8Array.from(execFileSync(process.env.BOUNCE_TRAJECTORY));
const floats = new Float32Array(trajectory.buffer);
const native = Array.from({length: floats.length / 3}, (_, i) => floats.slice(3 * i, 3 * i + 3));
const errors = [];
const [server, browser] = await Promise.all([serve(process.env.BOUNCE_WEB),
  chromium.launch({executablePath: '/usr/bin/chromium', args: ['--use-angle=swiftshader',
    '--enable-unsafe-swiftshader', '--no-sandbox', '--disable-background-networking']})]);
after(async () => { await browser.close(); server.close(); });
test.afterEach(async () => {
  await Promise.all(browser.contexts().map((context) => context.close()));
  assert.deepEqual(errors.splice(0), [], 'no uncaught error on the page');
});

// Runs in the page before it loads: notes the releases, and each draw's time and position (the
// translation of the GL emulation's modelview matrix, exactly as handed to glTranslatef).
function recordDraws() {
  const gl = WebGLRenderingContext.prototype, draw = gl.drawElements;
  [window.draws, window.releases] = [[], []];
  for (const type of ['keyup', 'mouseup']) {
    addEventListener(type, (event) => releases.push(event.keyCode ?? event.button));
  }
  gl.drawElements = function (...args) {
    draws.push({time: performance.now(), position: [...GLImmediate.matrix[0].slice(12, 15)]});
    return draw.apply(this, args);
  };
}

async function open() {
  const page = await browser.newPage({viewport: {width: 640, height: 480}});
  page.on('pageerror', (error) => errors.push(error.message));
  await page.addInitScript(recordDraws);
  await page.goto(`http://127.0.0.1:${server.address().port}/bounce.html`);
  await page.waitForFunction(() => draws.length > 0);
  await page.evaluate(() => { Module.onExit = (status) => { window.exitStatus = status; }; });
  return page;
}

// The screenshot's white pixels, their bounding box's size, and the count of other non-black ones.
const picture = async (page) => page.evaluate(async (png) => {
  const image = await createImageBitmap(await (await fetch(png)).blob()), width = image.width;
  const context = new OffscreenCanvas(width, image.height).getContext('2d');
  context.drawImage(image, 0, 0);
  const {data} = context.getImageData(0, 0, width, image.height), sums = [];
  for (let i = 0; i < data.length; i += 4) sums.push(data[i] + data[i + 1] + data[i + 2]);
  const white = [...sums.keys()].filter((i) => sums[i] === 765);
  const span = (v) => Math.max(...v) - Math.min(...v) + 1;
  return {white: white.length, other: sums.filter((sum) => sum % 765).length,
    w: span(white.map((i) => i % width)), h: span(white.map((i) => Math.floor(i / width)))};
}, `data:image/png;base64,${(await page.screenshot()).toString('base64')}`);

test('a white square a tenth of the canvas wide and high follows the native path', async (t) => {
  const page = await open();
  for (const [width, height, wait] of [[640, 480, 3000], [400, 300, 300]]) {
    await page.setViewportSize({width, height});
    await page.waitForTimeout(wait);
    const {white, other, w, h} = await picture(page);
    const canvas = await page.evaluate(() => [canvas.width, canvas.height, document.title]);
    assert.deepEqual(canvas, [width, height, 'Hello World']);
    assert.ok(other === 0 && white === w * h, 'one white square on black');
    assert.ok(Math.abs(w - width / 10) <= 1 && Math.abs(h - height / 10) <= 1, `${w}x${h}`);
  }
  const draws = await page.evaluate(() => draws);
  let step = 0;
  for (const {position} of draws) {
    while (step < native.length && !native[step].every((v, i) => Object.is(v, position[i]))) step++;
    assert.ok(step < native.length, `${position} is not on the native path after the last frame`);
  }
  const [first, last] = [draws[0], draws.at(-1)], seconds = (last.time - first.time) / 1000;
  assert.ok(last.position[0] < first.position[0] && last.position[1] < first.position[1]);
  const rate = (count) => (count / seconds).toFixed(0);
  t.diagnostic(`first frame ${first.time.toFixed(0)} ms after navigation; per second: ` +
    `${rate(step)} idle calls, ${rate(draws.length - 1)} frames`);
});

// A press of any kind ends the program at once; releases alone leave it running.
const keys = ['q', 'F1', 'ArrowLeft', 'Shift'].map((key) => [key, (p) => p.keyboard.press(key)]);
const clicks = ['left', 'middle', 'right'].map((b) => [b, (p) => p.mouse.click(1, 1, {button: b})]);
for (const [name, act] of [...keys, ...clicks, ['wheel', (p) => p.mouse.wheel(0, 100)],
  ['releases alone', async (p) => {
    for (const key of ['a', 'F1']) await p.keyboard.up(key);
    await p.mouse.up();
  }]]) {
  const ends = name !== 'releases alone';
  test(`${name}: ${ends ? 'ends with status 0, keeping the last frame' : 'runs on'}`, async () => {
    const page = await open();
    await act(page);
    await page.waitForTimeout(400);
    const [status, drawn] = await page.evaluate(() => [window.exitStatus, draws.length]);
    await page.waitForTimeout(300);
    assert.equal(status, ends ? 0 : undefined);
    assert.equal(await page.evaluate(() => draws.length) === drawn, ends, 'frames stop at the end');
    const {white, other} = await picture(page);
    assert.ok(other === 0 && white > 2500, 'the square is there');
    if (!ends) assert.deepEqual(await page.evaluate(() => releases), [65, 112, 0], 'releases came');
  });
}
