#pragma once
#include <string_view>

#include "calc/texts.h"

// Every text of the window that a user reads, in one place: the captions,
// the messages and the one Chinese list entry. Anode symbols and wavelengths
// are data, kept with their values in calc/wavelength_table.h. The three
// texts that calc/ hands out itself are written in calc/texts.h.
// Header only and standard library only.
namespace ui::texts {

// The program's name: the window's caption and every message box's title.
inline constexpr std::string_view kAppName = "Sorbel";

// Captions, in the window's tab order.
inline constexpr std::string_view kLabel1 = "半峰宽D：";
inline constexpr std::string_view kLabel2 = "2θ 角：";
inline constexpr std::string_view kLabel3 = "计算结果（粒径/nm）为：";
inline constexpr std::string_view kLabel4 = "请在下面输入各实验值：";
inline constexpr std::string_view kLabel5 = "波长λ/nm：";
inline constexpr std::string_view kLabel9 = "← ◇Sorbel◇ →";
inline constexpr std::string_view kCalculate = "计算";
inline constexpr std::string_view kRecalculate = "重新计算";
inline constexpr std::string_view kEnd = "退出";

// The last entry of the anode list: a wavelength typed by the user.
inline constexpr std::string_view kOtherAnode = calc::texts::kOtherAnode;

inline constexpr std::string_view kEmptyInput = "半峰宽或者2θ角不能为零，请重新输入！";
// Refused keystrokes, from the rule of the two numeric boxes.
inline constexpr std::string_view kTwoThetaNotNumber = calc::texts::kTwoThetaNotNumber;
inline constexpr std::string_view kFwhmNotNumber = calc::texts::kFwhmNotNumber;

// Arithmetic errors of the formula: what went wrong and what to check.
inline constexpr std::string_view kDivisionByZero =
    "计算出错：除数为零。请检查半峰宽（不能为零）后重新计算。";
inline constexpr std::string_view kOverflow =
    "计算出错：溢出，结果超出数值范围。请检查输入的数值后重新计算。";
inline constexpr std::string_view kInvalidOperation =
    "计算出错：无效的运算。请检查输入的数值后重新计算。";

// The browser's page: the message boxes' one button, the critical icon's
// name for screen readers, what the page says once the program ended.
inline constexpr std::string_view kOk = "确定";
inline constexpr std::string_view kErrorIcon = "错误";
inline constexpr std::string_view kEnded = "Sorbel 已退出。";
// What the page says where it cannot run: no JavaScript or WebAssembly (a
// locked-down browser, a mail or file preview, an old browser).
inline constexpr std::string_view kNeedsBrowser =
    "Sorbel 需要 JavaScript 和 WebAssembly，这个浏览器没有或已关闭它们。"
    "请用最新版本的浏览器打开这个文件。";

// Said at start-up on a processor the 32-bit program cannot run on: every
// computation is built for SSE2, so that each digit comes out the same.
inline constexpr std::string_view kNeedsSse2 =
    "Sorbel 需要支持 SSE2 指令集的处理器，这台电脑的处理器不支持，程序无法运行。";

}  // namespace ui::texts
