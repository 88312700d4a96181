// Prints, for each font of the page, every character the window can show in
// it, one face a line: "<family>|<weight>|<characters>" (UTF-8). The build
// runs it to cut the embedded fonts down to what the window needs.
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "app/web/fonts.h"
#include "calc/key_filter.h"
#include "ui/handlers.h"
#include "ui/layout.h"
#include "ui/texts.h"

namespace {

using ui::Font;

// What a user types into a box: ASCII, and the digits and point of a
// Chinese input method's full-width mode.
constexpr std::string_view kTyped =
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
    "abcdefghijklmnopqrstuvwxyz{|}~０１２３４５６７８９．";
// What the program writes into the result box (calc::NumberText::format),
// which has a face of its own: what else is typed there shows in the
// installed fonts.
constexpr std::string_view kResult = "0123456789.E+-infa";

}  // namespace

int main() {
  std::map<std::pair<std::string, int>, std::string> faces;
  auto show = [&faces](const Font& f, std::string_view text) {
    faces[{std::string(page::cssFamily(f)), f.weight}] += text;
  };
  for (const ui::ControlSpec& s : ui::kControls) {
    show(s.font, s.text);
    if (s.id == ui::Control::txtResult)
      show(s.font, kResult);
    else if (s.kind == ui::Kind::TextBox || s.kind == ui::Kind::ComboBox)
      show(s.font, kTyped);
  }
  for (std::size_t i = 0; i < ui::kAnodeCount; ++i)
    show(ui::spec(ui::Control::combWL).font, ui::anodeEntry(i));
  // The title bar, the message boxes and what the page says once the
  // program ended. Where it cannot run, it speaks in the installed fonts.
  using calc::ArithmeticError;
  for (std::string_view text :
       {ui::kWindow.caption, ui::texts::kEmptyInput, ui::texts::kOk, ui::texts::kEnded,
        calc::KeyFilter::rejection(calc::KeyFilter::Box::txt2X),
        calc::KeyFilter::rejection(calc::KeyFilter::Box::txtD),
        ui::arithmeticErrorMessage(ArithmeticError::Kind::DivisionByZero),
        ui::arithmeticErrorMessage(ArithmeticError::Kind::Overflow),
        ui::arithmeticErrorMessage(ArithmeticError::Kind::InvalidOperation)})
    show(page::kPageFont, text);
  for (const auto& [face, text] : faces)
    std::printf("%s|%d|%s\n", face.first.c_str(), face.second, text.c_str());
}
