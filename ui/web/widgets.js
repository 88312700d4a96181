// The page's side of the browser front end: it reports what the browser saw
// to the program (page_events.cpp) and gives the combo box's list, Tab and the
// message box the behaviour of the desktop's controls. It listens on the
// document, so it is in place before the program builds the window.
(() => {
  const $ = (id) => document.getElementById(id);
  const inWindow = (e) => e instanceof Element && e.closest('#frmXRD') !== null;
  const isBox = (e) => inWindow(e) && e.tagName === 'INPUT';
  const boxOpen = () => document.querySelector('dialog[open]') !== null;
  const call = (name, types, args) =>
    Module.ccall('sorbel_' + name, types[0], types.slice(1), args);
  const program = {
    clicked: (id) => call('clicked', [null, 'string'], [id]),
    typed: (id, codePoint) => call('typed', ['number', 'string', 'number'], [id, codePoint]),
    committed: (id, text, from, to, inserted) => call('committed',
      [null, 'string', 'string', 'number', 'number', 'number'], [id, text, from, to, inserted]),
    chosen: (index) => call('chosen', [null, 'number'], [index]),
    dismissed: () => call('dismissed', [null], []),
    coloursChanged: () => call('colours_changed', [null], []),
  };

  // Typed characters, one at a time, are the program's to judge: at their
  // key's keypress (some browsers raise no beforeinput when the box is full),
  // or else at beforeinput (virtual keyboards). Several at once come from an
  // input method or a symbol keyboard without composing.
  let judged = null; // the character of the key being pressed, judged at its keypress
  let composing = null; // where a composition began in its box
  const judge = (e, box, ch) => {
    if (!program.typed(box.id, ch.codePointAt(0))) e.preventDefault();
  };
  document.addEventListener('keypress', (e) => {
    const box = e.target;
    // The Enter that closed a message box may reach the button that has the
    // focus back: it presses no button either.
    if (e.key === 'Enter' && inWindow(box) && box.tagName === 'BUTTON') e.preventDefault();
    if (!isBox(box) || e.ctrlKey || e.metaKey || composing !== null) return;
    const chars = Array.from(e.key);
    if (chars.length !== 1) return;
    judged = e.key;
    judge(e, box, e.key);
  }, true);
  document.addEventListener('beforeinput', (e) => {
    const box = e.target;
    if (!isBox(box)) return;
    // An undo belongs to the box that has the focus, not to the page.
    if (e.inputType.startsWith('history') && box !== document.activeElement) {
      e.preventDefault();
      return;
    }
    // Some browsers send a character beyond the keyboard's as a composition
    // that never said it began.
    if (e.inputType.includes('Composition') && composing === null) composing = box.selectionStart;
    if (e.inputType !== 'insertText' || e.data == null || composing !== null || e.isComposing) return;
    const chars = Array.from(e.data);
    if (chars.length === 1) {
      if (judged === e.data) judged = null;
      else judge(e, box, e.data);
      return;
    }
    e.preventDefault();
    program.committed(box.id, e.data, box.selectionStart, box.selectionEnd, 0);
  }, true);
  document.addEventListener('compositionstart', (e) => {
    if (isBox(e.target)) composing = e.target.selectionStart;
  }, true);
  document.addEventListener('compositionend', (e) => {
    const from = composing;
    composing = null;
    if (!isBox(e.target) || from === null || !e.data) return;
    program.committed(e.target.id, e.data, from, from + e.data.length, 1);
  }, true);

  // The combo box: the field, its arrow and the list.
  const field = () => $('combWL');
  const list = () => $('combWL-list');
  const options = () => Array.from(list().children);
  const listOpen = () => list() !== null && !list().hidden;
  const chosenIndex = () => options().findIndex((o) => o.getAttribute('aria-selected') === 'true');
  let active = -1;
  const highlight = (i) => {
    active = i;
    options().forEach((o, j) => o.classList.toggle('active', j === i));
    if (i >= 0) field().setAttribute('aria-activedescendant', options()[i].id);
    else field().removeAttribute('aria-activedescendant');
  };
  const showList = (open) => {
    list().hidden = !open;
    $('combWL-box').classList.toggle('open', open); // above every control, as a drop-down is
    for (const e of [field(), $('combWL-button')]) e.setAttribute('aria-expanded', String(open));
    highlight(open ? chosenIndex() : -1);
  };
  // As the desktop's list does: the entry's text in the field, the entry
  // chosen, then the program hears of it.
  const choose = (i) => {
    showList(false);
    field().value = options()[i].textContent;
    options().forEach((o, j) => o.setAttribute('aria-selected', String(j === i)));
    program.chosen(i);
  };
  const comboKey = (e) => {
    const key = e.key, n = options().length;
    if (e.altKey && (key === 'ArrowDown' || key === 'ArrowUp')) {
      showList(!listOpen());
    } else if (!listOpen()) {
      // In the closed list the arrows choose the neighbouring entry.
      if (key !== 'ArrowDown' && key !== 'ArrowUp') return;
      const at = chosenIndex(), next = at < 0 ? 0 : at + (key === 'ArrowDown' ? 1 : -1);
      if (next !== at && next >= 0 && next < n) choose(next);
    } else if (key === 'ArrowDown' || key === 'ArrowUp') {
      highlight(Math.min(n - 1, Math.max(0, active + (key === 'ArrowDown' ? 1 : -1))));
    } else if (key === 'Home' || key === 'End') {
      highlight(key === 'Home' ? 0 : n - 1);
    } else if (key === 'Enter') {
      if (active >= 0) choose(active);
      else showList(false);
    } else if (key === 'Escape') {
      showList(false);
    } else {
      return;
    }
    e.preventDefault();
  };

  // Tab and Shift+Tab go round the window's enabled controls in their order.
  const tab = (e) => {
    const stops = Array.from($('frmXRD').querySelectorAll('input, button'))
      .filter((c) => !c.disabled && c.tabIndex >= 0);
    const at = stops.indexOf(document.activeElement), n = stops.length;
    e.preventDefault();
    if (listOpen()) showList(false);
    if (n > 0) stops[at < 0 ? 0 : (at + (e.shiftKey ? n - 1 : 1)) % n].focus();
  };

  document.addEventListener('keydown', (e) => {
    judged = null;
    if (boxOpen() || !inWindow(e.target) || e.isComposing) return;
    // Outside a box, undo and redo have nothing to undo.
    if ((e.ctrlKey || e.metaKey) && /^[zy]$/i.test(e.key) && !isBox(e.target)) e.preventDefault();
    if (e.key === 'Tab' && !e.ctrlKey && !e.altKey) return tab(e);
    if (e.target.id === 'combWL') return comboKey(e);
    // Enter presses no button; Space, the focused button's own key, does.
    if (e.target.tagName === 'BUTTON' && e.key === 'Enter') e.preventDefault();
  }, true);

  document.addEventListener('mousedown', (e) => {
    const t = e.target instanceof Element ? e.target : null;
    if (!t || boxOpen()) return;
    if (t.closest('#combWL-button')) {
      e.preventDefault(); // the focus goes to the field, not to the arrow
      if (!field().disabled) {
        field().focus();
        showList(!listOpen());
      }
      return;
    }
    if (t.closest('#combWL-list')) return e.preventDefault();
    if (listOpen()) showList(false);
    // A pressed button takes the focus, as on the desktop (not every browser gives it).
    const button = t.closest('#frmXRD button');
    if (button && !button.disabled) button.focus();
  }, true);
  document.addEventListener('mousemove', (e) => {
    const o = e.target instanceof Element && e.target.closest('#combWL-list [role=option]');
    if (o) highlight(options().indexOf(o));
  });
  document.addEventListener('click', (e) => {
    const t = e.target instanceof Element ? e.target : null;
    const option = t && t.closest('#combWL-list [role=option]');
    if (option) return choose(options().indexOf(option));
    const button = t && t.closest('#frmXRD button');
    if (button && button.id !== 'combWL-button') program.clicked(button.id);
  });
  document.addEventListener('focusout', (e) => {
    if (e.target === field() && listOpen()) showList(false);
  });

  // The message box: its button, Enter, Space or Escape close it.
  document.addEventListener('close', (e) => {
    if (e.target.id === 'msgBox') program.dismissed();
  }, true);

  // Narrower screens get the whole window, scaled down.
  const fit = () => {
    const w = $('window');
    if (!w) return;
    w.style.zoom = '';
    const scale = Math.min(1, document.documentElement.clientWidth / w.offsetWidth);
    w.style.zoom = scale < 1 ? String(scale) : '';
  };
  addEventListener('resize', fit);
  for (const query of ['(prefers-color-scheme: dark)', '(forced-colors: active)',
                       '(prefers-contrast: more)']) {
    matchMedia(query).addEventListener('change', () => program.coloursChanged());
  }

  // Called once the window is built and has had its Load event.
  Module.ready = () => {
    fit();
    performance.mark('sorbel-ready');
    document.documentElement.dataset.ready = '1';
  };
})();
