'use strict';
// Compiles the game's module on a thread of its own, so that the page's thread stays free to draw
// and answer the player meanwhile: the page only instantiates the compiled module (page.js).
self.onmessage = async ({ data: file }) => {
  try {
    let compiled;
    try {
      compiled = await WebAssembly.compileStreaming(fetch(file));
    } catch {
      // A host that serves the module under another type than application/wasm: from its bytes.
      const response = await fetch(file);
      if (!response.ok) {
        throw new Error(`${response.status} ${response.statusText}`.trim());
      }
      compiled = await WebAssembly.compile(await response.arrayBuffer());
    }
    self.postMessage({ compiled });
  } catch (error) {
    self.postMessage({ error: `cannot compile ${file}: ${error.message}` });
  }
  self.close();
};
