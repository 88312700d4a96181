// A front end whose message boxes cannot wait, on the in-memory form: the
// handlers' requests that follow a box wait for its dismissal, in order, and
// the handlers read back what they set meanwhile.
#include "ui/waiting_form.h"

#include <gtest/gtest.h>

#include "tests/window/fake_form.h"
#include "ui/events.h"
#include "ui/texts.h"

namespace ui {
namespace {

TEST(WaitingForm, RequestsAfterABoxWaitForItsDismissal) {
  window::FakeForm shown;  // its message boxes are shown and return at once
  loaded(shown);
  WaitingForm f(shown);
  shown.setText(Control::txtD, "1.5");

  // A refused character: its box shows; the box is emptied once it is gone.
  EXPECT_EQ(typed(f, Control::txtD, U'-'), Keystroke::Swallow);
  EXPECT_EQ(shown.takeBoxes().size(), 1u);
  EXPECT_EQ(shown.text(Control::txtD), "1.5");
  EXPECT_EQ(f.text(Control::txtD), "");
  // Meanwhile both boxes read empty: a second box, and all that follows it, waits.
  clicked(f, Control::cmdCalculation);
  f.later([&shown] { shown.setText(Control::txtWaveLengh, "own"); });
  f.end();
  EXPECT_TRUE(shown.takeBoxes().empty());
  EXPECT_FALSE(shown.ended());

  f.dismissed();  // up to the second box
  EXPECT_EQ(shown.text(Control::txtD), "");
  EXPECT_TRUE(shown.enabled(Control::txtResult));
  const auto boxes = shown.takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, texts::kEmptyInput);
  shown.setFocus(Control::cmdEnd);

  f.dismissed();  // the rest, in order
  EXPECT_EQ(shown.focus(), Control::txtD);
  EXPECT_FALSE(shown.enabled(Control::txtResult));
  EXPECT_EQ(shown.text(Control::txtWaveLengh), "own");
  EXPECT_TRUE(shown.ended());
  EXPECT_FALSE(f.boxOpen());
}

}  // namespace
}  // namespace ui
