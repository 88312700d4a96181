// Runs as soon as the window is drawn, before the program: a screen
// narrower than the window gets it whole, scaled down. It asks for no
// layout where the window fits.
(() => {
  const w = document.getElementById('window');
  const frame = document.getElementById('frmXRD');
  const needed = parseFloat(frame.style.width) + 2; // and the window's border
  const zoom = () => {
    const narrow = matchMedia(`(max-width: ${needed - 1}px)`).matches;
    w.style.zoom = narrow ? String(innerWidth / needed) : '';
  };
  zoom();
  addEventListener('resize', zoom);
})();
