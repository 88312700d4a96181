// The main thread's tasks while the page starts, in headless Chromium as a
// phone (412 x 823): for each load, every task of 3 ms or more from the first
// contentful paint to the window ready for input, and what it did. Lighthouse's
// simulated phone counts each task after the first paint 4 times over, less
// 50 ms: a task here of more than 12 ms adds to its total blocking time. Mind
// the machine's load: another build doubles the figures. A measurement, not a
// test: puppeteer-core comes from npm, outside the repository:
//   mkdir -p ~/npm-tools && cd ~/npm-tools && npm i puppeteer-core
//   NODE_PATH=~/npm-tools/node_modules node bench/web/long_tasks.js [PAGE] [LOADS]
const puppeteer = require('puppeteer-core');
const path = require('path');

const shown = new Set(['ParseHTML', 'EvaluateScript', 'FunctionCall', 'TimerFire', 'UpdateLayoutTree',
  'Layout', 'Paint', 'DecodeFont', 'RunMicrotasks', 'ResourceFetcher::requestResource']);

(async () => {
  const page = path.resolve(process.argv[2] || 'build/web/app/web/sorbel.html');
  const loads = +(process.argv[3] || 3);
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  for (let load = 0; load < loads; ++load) {
    const tab = await browser.newPage();
    await tab.setViewport({ width: 412, height: 823, isMobile: true, hasTouch: true, deviceScaleFactor: 1.75 });
    await tab.tracing.start({ categories: ['devtools.timeline', 'disabled-by-default-devtools.timeline',
      'loading', 'blink.user_timing'] });
    await tab.goto(`file://${page}`);
    await tab.waitForFunction(() => document.documentElement.dataset.ready === '1');
    const events = JSON.parse(Buffer.from(await tab.tracing.stop()).toString()).traceEvents;
    await tab.close();
    const fcp = events.find((e) => e.name === 'firstContentfulPaint');
    const ready = events.find((e) => e.name === 'sorbel-ready');
    const main = events.find((e) => e.pid === fcp.pid && e.name === 'thread_name' &&
      e.args.name === 'CrRendererMain');
    const start = events.find((e) => e.name === 'navigationStart' && e.pid === fcp.pid).ts;
    const ms = (us) => (us / 1000).toFixed(1);
    const ours = events.filter((e) => e.pid === main.pid && e.tid === main.tid && e.ph === 'X');
    console.log(`load ${load + 1}: first contentful paint at ${ms(fcp.ts - start)} ms, ` +
      `ready at ${ms(ready.ts - start)} ms`);
    for (const task of ours.filter((e) => e.name === 'RunTask' && e.dur >= 3000 &&
      e.ts >= fcp.ts && e.ts <= ready.ts)) {
      const inside = ours.filter((e) => shown.has(e.name) && e.dur >= 500 && e.ts >= task.ts &&
        e.ts + e.dur <= task.ts + task.dur);
      console.log(`  at ${ms(task.ts - start)} ms: ${ms(task.dur)} ms` +
        (inside.length ? ': ' : '') + inside.map((e) => `${e.name} ${ms(e.dur)}`).join(', '));
    }
  }
  await browser.close();
})();
