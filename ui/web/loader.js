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
  Module.instantiateWasm = (imports, receive) => {
    const text = atob(document.getElementById('program').textContent);
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    new Response(new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip')))
      .arrayBuffer()
      .then((wasm) => WebAssembly.instantiate(wasm, imports))
      .then((result) => receive(result.instance), missing);
    return {};
  };
})();
