#include "tests/window/colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "ui/layout.h"

namespace window {

void expectEveryTextReadable(Driver& driver, const Drawn& drawn, const std::string& name,
                             const std::string& note) {
  double lowest = 21, lowestGreyed = 21;
  auto measure = [&](const std::string& shot) {
    driver.screenshot(shot);
    const Picture picture = drawn.picture();
    ASSERT_GT(picture.width, 0) << "no picture of the window";
    const Snapshot now = driver.snapshot();
    for (const auto& s : ui::kControls) {
      const double contrast = textContrast(picture, drawn.textArea(s.id));
      const bool greyed = !now.isEnabled(s.id);
      EXPECT_GE(contrast, greyed ? ui::kGreyedContrast : ui::kTextContrast)
          << ui::nameOf(s.id) << " in " << shot;
      double& least = greyed ? lowestGreyed : lowest;
      least = std::min(least, contrast);
    }
  };
  // The focus moves on before each picture, so that no caret stands out in
  // a box instead of its text.
  driver.perform(typing(Control::txtD, U"0.25"));
  driver.perform(typing(Control::txt2X, U"31.8"));
  driver.perform(clicking(Control::cmdCalculation));
  driver.perform(clicking(Control::txtD));
  measure("colours-" + name + ".png");
  driver.perform(choosing(static_cast<int>(ui::kAnodeCount) - 1));
  driver.perform(typing(Control::txtWaveLengh, U"0.154056"));
  driver.perform(clicking(Control::txtD));
  measure("colours-" + name + "-typed.png");
  std::printf("    %s%s: lowest text contrast %.2f, greyed %.2f\n", name.c_str(), note.c_str(),
              lowest, lowestGreyed);
}

}  // namespace window
