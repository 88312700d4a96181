#pragma once
// What the web driver runs in the page: each a function body, its arguments
// in `arguments`. A promise returned is awaited by the WebDriver server.

namespace window::scripts {

// Waits for the page to say it is ready, starts counting the message boxes
// that close, and returns the parts named in arguments[0] with their places
// in the window, or null if the page never got ready (in 2 minutes: far
// beyond what a busy machine needs).
inline constexpr const char* kReady = R"(
const names = arguments[0];
return new Promise(resolve => {
  const started = Date.now();
  const check = () => {
    if (document.documentElement.dataset.ready !== "1") {
      if (Date.now() - started > 120000) return resolve(null);
      return setTimeout(check, 5);
    }
    const state = window.sorbelDriver = {closes: 0};
    document.addEventListener("close", e => {
      if (e.target instanceof HTMLDialogElement) state.closes++;
    }, true);
    const frame = document.getElementById("frmXRD").getBoundingClientRect();
    const parts = {};
    for (const name of names) {
      const e = document.getElementById(name);
      if (!e) continue;
      const r = e.getBoundingClientRect();
      parts[name] = {element: e, rect: [r.left - frame.left, r.top - frame.top, r.width, r.height]};
    }
    resolve(parts);
  };
  check();
});
)";

// The open message box, once what the last input set off has run: its
// texts, icon and button; and how many boxes have closed so far.
inline constexpr const char* kMessageBox = R"(
return new Promise(resolve => setTimeout(() => {
  const closes = window.sorbelDriver ? window.sorbelDriver.closes : -1;
  const box = document.querySelector("dialog[open]");
  if (!box) return resolve({closes, open: false});
  const text = selector => box.querySelector(selector)?.textContent ?? "";
  const buttons = [...box.querySelectorAll("button")];
  resolve({
    closes, open: true, title: text(".title"), prompt: text(".prompt"),
    critical: !!box.querySelector('[role="img"][aria-label="错误"]')?.getClientRects().length,
    okOnly: buttons.length === 1 && buttons[0].textContent.trim() === "确定",
    button: buttons[0] ?? null,
  });
}, 0));
)";

// Whether a message box has closed since the page counted arguments[0]
// closes: a browser fires the close event a task or more after the key or
// click, later still on a busy machine.
inline constexpr const char* kBoxClosed = R"(
const [before] = arguments;
return new Promise(resolve => {
  const started = Date.now();
  const check = () => {
    if (window.sorbelDriver.closes !== before) return resolve(true);
    if (Date.now() - started > 30000) return resolve(false);
    setTimeout(check, 5);
  };
  check();
});
)";

// The box a user could not close, closed.
inline constexpr const char* kCloseBox = R"(
document.querySelector("dialog[open]")?.close();
)";

// The window as a user sees it; arguments[0]: the names of its controls.
inline constexpr const char* kSnapshot = R"(
const names = arguments[0];
const frame = document.getElementById("frmXRD");
const ended = document.getElementById("ended");
const s = {
  alive: !!frame, ended: !frame && !!ended && ended.textContent.includes("Sorbel 已退出。"),
  text: [], enabled: [], focus: document.activeElement?.id ?? "", listIndex: -1,
  leftOpen: !!document.querySelector("dialog[open]"),
};
if (!frame) return s;
for (const name of names) {
  const e = document.getElementById(name);
  s.text.push(!e ? "" : e instanceof HTMLInputElement ? e.value : e.textContent);
  s.enabled.push(!!e && !e.disabled);
}
const options = [...document.querySelectorAll('#combWL-list [role="option"]')];
s.listIndex = options.findIndex(o => o.getAttribute("aria-selected") === "true");
s.leftOpen ||= document.getElementById("combWL")?.getAttribute("aria-expanded") === "true";
return s;
)";

// A speck outside the window that changes colour until told to stop, so
// that the page keeps repainting.
inline constexpr const char* kRepaint = R"(
const speck = document.createElement("div");
speck.style.cssText = "position:fixed;right:0;bottom:0;width:2px;height:2px";
let n = 0;
speck.dataset.timer = setInterval(() => speck.style.background = n++ % 2 ? "#000" : "#fff", 20);
document.body.appendChild(speck);
return speck;
)";

inline constexpr const char* kRepaintDone = R"(
clearInterval(+arguments[0].dataset.timer);
arguments[0].remove();
)";

inline constexpr const char* kFocus = "return document.activeElement?.id ?? '';";

inline constexpr const char* kListEntries = R"(
return [...document.querySelectorAll('#combWL-list [role="option"]')].map(o => o.textContent);
)";

inline constexpr const char* kListOpen = R"(
return document.getElementById("combWL")?.getAttribute("aria-expanded") === "true";
)";

// The entry the open list highlights: aria-activedescendant, else the one
// marked selected; -1 for none.
inline constexpr const char* kHighlighted = R"(
const field = document.getElementById("combWL");
const active = /^combWL-option-(\d+)$/.exec(field.getAttribute("aria-activedescendant") ?? "");
if (active) return +active[1];
const options = [...document.querySelectorAll('#combWL-list [role="option"]')];
return options.findIndex(o => o.getAttribute("aria-selected") === "true");
)";

// Text put into the focused box by script, where WebDriver has no way to:
// arguments[0] as arguments[1] says, "commit" (an input method's), "paste"
// or "type" (one typed character). The events the browser would raise,
// which the page may cancel, around the text's insertion, which the box's
// maxlength cuts short.
inline constexpr const char* kInsert = R"(
const [text, how] = arguments, box = document.activeElement;
if (!(box instanceof HTMLInputElement)) return false;
const fire = (event) => box.dispatchEvent(event);
const composing = how === "commit";
if (composing) {
  fire(new CompositionEvent("compositionstart", {bubbles: true, data: ""}));
  fire(new CompositionEvent("compositionupdate", {bubbles: true, data: text}));
}
if (how === "paste") {
  const clipboardData = new DataTransfer();
  clipboardData.setData("text/plain", text);
  if (!fire(new ClipboardEvent("paste", {bubbles: true, cancelable: true, clipboardData})))
    return true;
}
let room = text;
if (box.maxLength >= 0) {
  const free = box.maxLength - box.value.length + (box.selectionEnd - box.selectionStart);
  room = text.slice(0, Math.max(0, free));
  if (/[\uD800-\uDBFF]$/.test(room)) room = room.slice(0, -1);
}
const inputType = {commit: "insertCompositionText", paste: "insertFromPaste"}[how] ?? "insertText";
const init = {bubbles: true, inputType, data: text, isComposing: composing};
if (fire(new InputEvent("beforeinput", {...init, cancelable: true}))) {
  box.setRangeText(room, box.selectionStart, box.selectionEnd, "end");
  fire(new InputEvent("input", init));
}
if (composing) fire(new CompositionEvent("compositionend", {bubbles: true, data: text}));
return true;
)";

// A spot outside the window whose click puts arguments[0] on the clipboard:
// browsers let a page write there only in answer to a user's gesture. It
// keeps the focus where it is.
inline constexpr const char* kClipboardSpot = R"(
const text = arguments[0];
const spot = document.createElement("div");
spot.style.cssText = "position:fixed;right:0;bottom:0;width:6px;height:6px;z-index:2147483647";
spot.addEventListener("mousedown", e => e.preventDefault());
spot.addEventListener("click", () => {
  window.sorbelDriver.copied = navigator.clipboard.writeText(text);
}, {once: true});
document.body.appendChild(spot);
return spot;
)";

inline constexpr const char* kClipboardWritten = R"(
arguments[0].remove();
const copied = window.sorbelDriver.copied;
delete window.sorbelDriver.copied;
return copied ? copied.then(() => "", e => String(e)) : "no click came";
)";

// Waits (up to 2 minutes) for the program to end: the window gone and the
// page saying so. False if it does not.
inline constexpr const char* kEnded = R"(
return new Promise(resolve => {
  const started = Date.now();
  const check = () => {
    const ended = document.getElementById("ended");
    if (!document.getElementById("frmXRD") && ended?.textContent.includes("Sorbel 已退出。"))
      return resolve(true);
    if (Date.now() - started > 120000) return resolve(false);
    setTimeout(check, 5);
  };
  check();
});
)";

}  // namespace window::scripts
