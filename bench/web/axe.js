// axe-core's rules on the page, ready for input, in a desktop window and a
// phone's (360 x 640, touch), light and dark, in Debian's Chromium. A
// measurement, not a test: both packages come from npm, outside the repository:
//   mkdir -p ~/npm-tools && cd ~/npm-tools && npm i puppeteer-core axe-core
//   NODE_PATH=~/npm-tools/node_modules node bench/web/axe.js build/web/app/web/sorbel.html
const puppeteer = require('puppeteer-core');
const fs = require('fs');
const path = require('path');

(async () => {
  const page = path.resolve(process.argv[2] || 'build/web/app/web/sorbel.html');
  const axe = fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
  const browser = await puppeteer.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'] });
  for (const [width, height, phone] of [[1024, 768, false], [360, 640, true]]) {
    for (const scheme of ['light', 'dark']) {
      const tab = await browser.newPage();
      await tab.setViewport({ width, height, isMobile: phone, hasTouch: phone });
      await tab.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: scheme }]);
      await tab.setBypassCSP(true);  // for axe's own script; the page asks for nothing
      await tab.goto(`file://${page}`);
      await tab.waitForFunction(() => document.documentElement.dataset.ready === '1');
      await tab.addScriptTag({ content: axe });
      const r = await tab.evaluate(() => axe.run());
      console.log(`${width}x${height} ${scheme}: ${r.violations.length} violations, ` +
        `${r.passes.length} rules passed, ${r.incomplete.length} to check by hand` +
        r.violations.map((v) => `\n  ${v.id}: ${v.nodes.length} elements`).join(''));
      await tab.close();
    }
  }
  await browser.close();
})();
