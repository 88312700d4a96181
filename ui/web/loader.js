// Runs before emscripten's loader. The program is in the page as the base64
// of its gzip-compressed WebAssembly (app/web/make_page.py); it is
// instantiated from there, as the page may fetch nothing, not even itself.
// The page starts it only where the browser has what it needs; if it still
// cannot be unpacked or compiled, the page says so.
(() => {
  const missing = () => {
    document.getElementById('missing').hidden = false;
  };
  // Each step a task of its own, after the window has been drawn: none holds
  // the page up for long, even on a phone's slower processor.
  const pause = () => new Promise((next) => setTimeout(next));
  const step = (f) => (v) => pause().then(() => f(v));
  // The browser's own decoder where it has one; elsewhere a loop, a slice per
  // task, as a phone takes long over all of it at once.
  const decode = async (base64) => {
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
    const padding = base64.match(/=*$/)[0].length;
    const bytes = new Uint8Array((base64.length / 4) * 3 - padding);
    const slice = 16384;  // characters, a multiple of 4
    for (let at = 0; at < base64.length; at += slice) {
      await pause();
      const text = atob(base64.slice(at, at + slice));
      const out = (at / 4) * 3;
      for (let i = 0; i < text.length; ++i) bytes[out + i] = text.charCodeAt(i);
    }
    return bytes;
  };
  Module.instantiateWasm = (imports, receive) => {
    pause()
      .then(() => decode(document.getElementById('program').textContent))
      .then(step((bytes) => {
        // Written straight into the decompressor: a Blob of them would cost
        // a round trip to the browser's store of blobs.
        const gunzip = new DecompressionStream('gzip');
        const writer = gunzip.writable.getWriter();
        // A failure is the reading side's to report: the page says it cannot run.
        const reported = () => {};
        writer.write(bytes).catch(reported);
        writer.close().catch(reported);
        return new Response(gunzip.readable).arrayBuffer();
      }))
      .then(step((wasm) => WebAssembly.compile(wasm)))
      .then(step((module) => WebAssembly.instantiate(module, imports)))
      .then(step(receive), missing);
    return {};
  };
})();
