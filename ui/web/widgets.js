// The page's side of the browser front end: it reports what the browser saw
// to the program (page_events.cpp), carries out what the program asks of the
// page (dom.cpp), and gives the combo box's list, Tab and the message box
// the behaviour of the desktop's controls. The window is drawn by the page's
// markup (app/web/markup.cpp); this listens on the document, and hands the
// program what happens once it runs.
(() => {
  // Every element the script looks for; the controls go by their names.
  const ids = {
    window: 'window',
    frame: 'frmXRD',
    result: 'txtResult',
    field: 'combWL',
    box: 'combWL-box',
    arrow: 'combWL-button',
    list: 'combWL-list',
    dialog: 'msgBox',
    title: 'msgBox-title',
    prompt: 'msgBox-prompt',
    icon: 'msgBox-icon',
    said: 'said',
    ended: 'ended',
  };
  const $ = (name) => document.getElementById(ids[name]);
  const inWindow = (e) => e instanceof Element && e.closest('#' + ids.frame) !== null;
  const isBox = (e) => inWindow(e) && e.tagName === 'INPUT';
  const boxOpen = () => $('dialog') !== null && $('dialog').open;
  // Whether the browser's language writes decimals with a comma: its
  // decimal keypad then has "," and no ".". Asked at the first keystroke:
  // the browser's first Intl call is slow, and the page's start need not
  // wait for it.
  let commaLanguage = null;
  const commaDecimals = () => {
    if (commaLanguage === null) {
      try {
        commaLanguage = new Intl.NumberFormat(navigator.language)
          .formatToParts(0.5)
          .some((p) => p.type === 'decimal' && p.value === ',');
      } catch (e) {
        commaLanguage = false;
      }
    }
    return commaLanguage;
  };

  let program = null; // the program's entry points, once it runs
  const connect = () => {
    const entry = (name, returns, args) => Module.cwrap('sorbel_' + name, returns, args);
    const n = 'number', s = 'string';
    program = {
      clicked: entry('clicked', null, [s]),
      typed: entry('typed', n, [s, n, n]),
      committed: entry('committed', null, [s, s, n, n, n, n]),
      chosen: entry('chosen', null, [n]),
      dismissed: entry('dismissed', null, []),
      coloursChanged: entry('colours_changed', null, []),
    };
  };

  // Text in place of [from, to) of a box as typed text would go in: no
  // further than its maximum length, no pair of surrogates split.
  const insertTyped = (box, text, from, to) => {
    let t = text;
    const rest = box.value.slice(0, from) + box.value.slice(to);
    if (box.maxLength >= 0) {
      let room = Math.max(0, box.maxLength - rest.length);
      const last = t.charCodeAt(room - 1);
      if (room < t.length && room > 0 && last >= 0xd800 && last < 0xdc00) --room;
      t = t.slice(0, room);
    }
    box.value = rest.slice(0, from) + t + rest.slice(from);
    box.setSelectionRange(from + t.length, from + t.length);
  };

  // Typed characters, one at a time, are the program's to judge: at their
  // key's keypress (some browsers raise no beforeinput when the box is full),
  // or else at beforeinput (virtual keyboards). Several at once come from an
  // input method or a symbol keyboard without composing.
  const typing = {
    judged: null, // the character of the key being pressed, judged at its keypress
    composing: null, // where a composition began in its box
  };
  // The program's answer carried out: the character goes in, another in
  // its place (a comma language's decimal point), or none.
  const judge = (e, box, ch) => {
    const typed = ch.codePointAt(0), taken = program.typed(box.id, typed, commaDecimals());
    if (taken === typed) return;
    e.preventDefault();
    if (taken !== 0)
      insertTyped(box, String.fromCodePoint(taken), box.selectionStart, box.selectionEnd);
  };
  document.addEventListener('keypress', (e) => {
    const box = e.target;
    if (!program || !isBox(box) || e.ctrlKey || e.metaKey || typing.composing !== null) return;
    if (Array.from(e.key).length !== 1) return;
    typing.judged = e.key;
    judge(e, box, e.key);
  }, true);
  document.addEventListener('beforeinput', (e) => {
    const box = e.target;
    if (!program || !isBox(box)) return;
    // An undo belongs to the box that has the focus, not to the page.
    if (e.inputType.startsWith('history') && box !== document.activeElement) {
      e.preventDefault();
      return;
    }
    // Some browsers send a character beyond the keyboard's as a composition
    // that never said it began.
    if (e.inputType.includes('Composition') && typing.composing === null)
      typing.composing = box.selectionStart;
    if (e.inputType !== 'insertText' || e.data == null) return;
    if (typing.composing !== null || e.isComposing) return;
    if (Array.from(e.data).length === 1) {
      if (typing.judged === e.data) typing.judged = null;
      else judge(e, box, e.data);
      return;
    }
    e.preventDefault();
    program.committed(box.id, e.data, box.selectionStart, box.selectionEnd, 0, commaDecimals());
  }, true);
  document.addEventListener('compositionstart', (e) => {
    if (isBox(e.target)) typing.composing = e.target.selectionStart;
  }, true);
  document.addEventListener('compositionend', (e) => {
    const from = typing.composing;
    typing.composing = null;
    if (!program || !isBox(e.target) || from === null || !e.data) return;
    program.committed(e.target.id, e.data, from, from + e.data.length, 1, commaDecimals());
  }, true);

  // The combo box: the field, its arrow and the list. The chosen entry is
  // the script's, shown to screen readers as aria-selected.
  const combo = { chosen: -1, active: -1 }; // active: the open list's highlight
  const options = () => Array.from($('list').children);
  const listOpen = () => !$('list').hidden;
  const mark = (i) => {
    combo.chosen = i;
    options().forEach((o, j) => o.setAttribute('aria-selected', String(j === i)));
  };
  const highlight = (i) => {
    combo.active = i;
    options().forEach((o, j) => o.classList.toggle('active', j === i));
    if (i >= 0) $('field').setAttribute('aria-activedescendant', options()[i].id);
    else $('field').removeAttribute('aria-activedescendant');
  };
  const showList = (open) => {
    $('list').hidden = !open;
    $('box').classList.toggle('open', open); // above every control, as a drop-down is
    for (const e of [$('field'), $('arrow')]) e.setAttribute('aria-expanded', String(open));
    highlight(open ? combo.chosen : -1);
  };
  // As the desktop's list does: the entry's text in the field, the entry
  // chosen, then the program hears of it.
  const choose = (i) => {
    showList(false);
    $('field').value = options()[i].textContent;
    mark(i);
    program.chosen(i);
  };
  const comboKey = (e) => {
    const key = e.key, n = options().length, arrow = key === 'ArrowDown' || key === 'ArrowUp';
    const step = key === 'ArrowDown' ? 1 : -1;
    if (e.altKey && arrow) {
      showList(!listOpen());
    } else if (!listOpen()) {
      // In the closed list the arrows choose the neighbouring entry; with
      // none chosen, either chooses the first.
      if (!arrow) return;
      const at = combo.chosen, next = at < 0 ? 0 : at + step;
      if (next !== at && next >= 0 && next < n) choose(next);
    } else if (arrow) {
      highlight(Math.min(n - 1, Math.max(0, combo.active + step)));
    } else if (key === 'Home' || key === 'End') {
      highlight(key === 'Home' ? 0 : n - 1);
    } else if (key === 'Enter') {
      if (combo.active >= 0) choose(combo.active);
      else showList(false);
    } else if (key === 'Escape') {
      showList(false);
    } else {
      return;
    }
    e.preventDefault();
  };

  // Tab and Shift+Tab go round the window's enabled controls in the
  // window's own order, which the markup lists; the page reads top to bottom.
  const tab = (e) => {
    const stops = $('frame')
      .dataset.tabs.split(' ')
      .map((id) => document.getElementById(id))
      .filter((c) => !c.disabled);
    const at = stops.indexOf(document.activeElement), n = stops.length;
    e.preventDefault();
    if (listOpen()) showList(false);
    if (n > 0) stops[at < 0 ? 0 : (at + (e.shiftKey ? n - 1 : 1)) % n].focus();
  };

  document.addEventListener('keydown', (e) => {
    typing.judged = null;
    if (!program || boxOpen() || !inWindow(e.target) || e.isComposing) return;
    // Outside a box, undo and redo have nothing to undo.
    if ((e.ctrlKey || e.metaKey) && /^[zy]$/i.test(e.key) && !isBox(e.target)) e.preventDefault();
    // WebKitGTK names a Shift+Tab key "Unidentified"; its code is Tab's.
    if ((e.key === 'Tab' || e.code === 'Tab') && !e.ctrlKey && !e.altKey) return tab(e);
    if (e.target.id === ids.field) comboKey(e);
  }, true);
  // Enter presses no button; Space, the focused button's own key, does. The
  // Enter that closed a message box may reach the button that has the focus
  // back, as its keypress.
  for (const type of ['keydown', 'keypress']) {
    document.addEventListener(type, (e) => {
      if (e.key === 'Enter' && inWindow(e.target) && e.target.tagName === 'BUTTON')
        e.preventDefault();
    }, true);
  }

  // A touch anywhere on the combo box opens its list, as a tap on a phone's
  // list does; the field raises no keyboard (its inputmode is none).
  let pointer = 'mouse'; // the kind of pointer last pressed
  document.addEventListener('pointerdown', (e) => {
    pointer = e.pointerType;
  }, true);
  let pointerAt = ''; // where the mouse was last seen
  const pointerMoved = (e) => pointerAt !== (pointerAt = `${e.screenX},${e.screenY}`);
  document.addEventListener('mousedown', (e) => {
    pointerMoved(e);
    const t = e.target instanceof Element ? e.target : null;
    if (!t || !program || boxOpen()) return;
    if (t.closest('#' + ids.arrow) || (pointer === 'touch' && t.closest('#' + ids.field))) {
      e.preventDefault(); // the focus goes to the field, not to the arrow
      if (!$('field').disabled) {
        $('field').focus();
        showList(!listOpen());
      }
      return;
    }
    if (t.closest('#' + ids.list)) return e.preventDefault();
    if (listOpen()) showList(false);
    // A pressed button takes the focus, as on the desktop (not every browser gives it).
    const button = t.closest('#' + ids.frame + ' button');
    if (button && !button.disabled) button.focus();
  }, true);
  // The entry under the mouse is highlighted as it moves. A list opening
  // under a resting pointer is no move, though WebKit reports one: the
  // highlight the keys gave stays.
  document.addEventListener('mousemove', (e) => {
    if (!pointerMoved(e)) return;
    const o = e.target instanceof Element && e.target.closest('#' + ids.list + ' [role=option]');
    if (o) highlight(options().indexOf(o));
  });
  document.addEventListener('click', (e) => {
    const t = e.target instanceof Element ? e.target : null;
    if (!t || !program) return;
    const option = t.closest('#' + ids.list + ' [role=option]');
    if (option) return choose(options().indexOf(option));
    const button = t.closest('#' + ids.frame + ' button');
    if (button && button.id !== ids.arrow) program.clicked(button.id);
  });
  document.addEventListener('focusout', (e) => {
    if (e.target === $('field') && listOpen()) showList(false);
  });

  // The message box: its button, Enter, Space or Escape close it.
  document.addEventListener('close', (e) => {
    if (program && e.target.id === ids.dialog) program.dismissed();
  }, true);
  for (const query of ['(prefers-color-scheme: dark)', '(forced-colors: active)',
                       '(prefers-contrast: more)']) {
    matchMedia(query).addEventListener('change', () => program && program.coloursChanged());
  }

  // What the program asks of the page (dom.cpp).
  Module.page = {
    setText(id, text) {
      const box = document.getElementById(id);
      box.value = text;
      // A text longer than the box shows its start, as on the desktop.
      box.setSelectionRange(0, 0);
      if (text) box.scrollLeft = 0; // which needs a layout: an empty box has no other start
      if (id === ids.field) mark(-1); // a text of the field, not a chosen entry
      // A new result is said to screen readers, after its label.
      const label = document.getElementById(box.getAttribute('aria-labelledby'));
      if (id === ids.result && text) $('said').textContent = label.textContent + text;
    },
    insertTyped,
    showBox(prompt, title, critical) {
      $('title').textContent = title;
      $('prompt').textContent = prompt;
      $('icon').hidden = !critical;
      $('dialog').showModal();
    },
    end() {
      $('window').remove();
      $('dialog').remove();
      $('ended').hidden = false;
      window.close(); // where a page may: a tab it opened itself
    },
    // Each as 0xAARRGGBB, 0 where it cannot be read; all of them set
    // before any is read, so that the page's styles are worked out once.
    cssColours(names) {
      const probes = names.map((css) => {
        const probe = document.createElement('i');
        probe.hidden = true;
        probe.style.color = css;
        return document.body.appendChild(probe);
      });
      const read = probes.map((probe) => {
        const [r, g, b, a = 1] = (getComputedStyle(probe).color.match(/[\d.]+/g) || []).map(Number);
        return b === undefined ? 0 : (Math.round(a * 255) << 24) | (r << 16) | (g << 8) | b;
      });
      probes.forEach((probe) => probe.remove());
      return read;
    },
    // The window is the program's, with its Load event run: boxes take typing.
    ready() {
      connect();
      for (const box of $('frame').querySelectorAll('input')) box.readOnly = false;
      performance.mark('sorbel-ready');
      document.documentElement.dataset.ready = '1';
    },
  };
})();
