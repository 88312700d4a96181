// Runs before emscripten's loader. The program is in the page as the base64
// of its gzip-compressed WebAssembly (app/web/make_page.py); it is
// instantiated from there, as the page may fetch nothing, not even itself.
// Where the browser cannot run it, the page says so.
(() => {
  const missing = () => {
    document.getElementById('missing').hidden = false;
  };
  if (typeof WebAssembly !== 'object' || typeof DecompressionStream !== 'function') {
    missing();
    return;
  }
  // Each step a task of its own, after the window has been drawn: none holds
  // the page up for long, even on a phone's slower processor.
  const step = (f) => (v) => new Promise((next) => setTimeout(next)).then(() => f(v));
  Module.instantiateWasm = (imports, receive) => {
    step(() => {
      const base64 = document.getElementById('program').textContent;
      // The browser's own decoder where it has one: a loop takes a phone long.
      let bytes = Uint8Array.fromBase64 && Uint8Array.fromBase64(base64);
      if (!bytes) {
        const text = atob(base64);
        bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
      }
      return new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip')))
        .arrayBuffer();
    })()
      .then(step((wasm) => WebAssembly.compile(wasm)))
      .then(step((module) => WebAssembly.instantiate(module, imports)))
      .then(step(receive), missing);
    return {};
  };
})();
