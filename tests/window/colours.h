#pragma once
#include <functional>
#include <string>

#include "tests/window/contrast.h"
#include "tests/window/driver.h"

namespace window {

// A front end's window as its test sees it drawn: a picture, and the part of
// it where each control's text may stand (inside the control's frame).
struct Drawn {
  std::function<Picture()> picture;
  std::function<ui::PixelRect(Control)> textArea;
};

// Shows a result beside the chosen anode's greyed wavelength, then beside a
// typed one, and measures every control's text against its ground in both:
// at least ui::kTextContrast, greyed text at least ui::kGreyedContrast. The
// pictures are kept as "colours-<name>.png" and "colours-<name>-typed.png";
// the lowest figures are printed under `name`, followed by `note`.
void expectEveryTextReadable(Driver& driver, const Drawn& drawn, const std::string& name,
                             const std::string& note = {});

}  // namespace window
