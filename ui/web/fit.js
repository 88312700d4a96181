// Runs as soon as the window is drawn, before the program. A narrower
// screen gets the whole window, scaled down; a caption wider than its room
// before the control on its row (the fonts are not the desktop's) is
// narrowed to fit, so that none runs under a control.
(() => {
  const fit = () => {
    const w = document.getElementById('window');
    if (!w) return;
    w.style.zoom = '';
    for (const label of w.querySelectorAll('[data-room]')) {
      label.style.transform = '';
      const room = Number(label.dataset.room), width = label.getBoundingClientRect().width;
      if (width > room) label.style.transform = `scaleX(${room / width})`;
    }
    const scale = Math.min(1, document.documentElement.clientWidth / w.offsetWidth);
    w.style.zoom = scale < 1 ? String(scale) : '';
  };
  fit();
  addEventListener('resize', fit);
  document.fonts?.addEventListener('loadingdone', fit);
})();
