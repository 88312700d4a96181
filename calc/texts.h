#pragma once
#include <string_view>

// The texts the computations hand out: the anode list's last entry and the
// keystroke rule's two refusals. ui/texts.h, the window's catalogue, lists
// them with the rest; they are written here so that calc/ stands alone.
namespace calc::texts {

// The last entry of the anode list: a wavelength typed by the user.
inline constexpr std::string_view kOtherAnode = "其他";

inline constexpr std::string_view kTwoThetaNotNumber = "2θ角只能为数值，请重新输入！！！";
inline constexpr std::string_view kFwhmNotNumber = "半峰宽只能为数值，请重新输入！！！";

}  // namespace calc::texts
