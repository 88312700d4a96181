// Runs as soon as the window is drawn, before the program, and asks for no
// layout then (where the window fits). A screen narrower than the window gets it whole, scaled
// down. Once the page's fonts are in, a caption wider than its room before
// the control on its row (the fonts are not the desktop's) is narrowed to
// fit, so that none runs under a control.
(() => {
  const w = document.getElementById('window');
  const frame = document.getElementById('frmXRD');
  const needed = parseFloat(frame.style.width) + 2; // and the window's border
  const zoom = () => {
    const narrow = matchMedia(`(max-width: ${needed - 1}px)`).matches;
    w.style.zoom = narrow ? String(innerWidth / needed) : '';
  };
  const fitCaptions = () => {
    const unzoomed = frame.offsetWidth / frame.getBoundingClientRect().width;
    for (const label of frame.querySelectorAll('[data-room]')) {
      label.style.transform = '';
      const room = Number(label.dataset.room);
      const width = label.getBoundingClientRect().width * unzoomed;
      if (width > room) label.style.transform = `scaleX(${room / width})`;
    }
  };
  zoom();
  addEventListener('resize', zoom);
  document.fonts.addEventListener('loadingdone', fitCaptions);
  addEventListener('load', fitCaptions);
})();
