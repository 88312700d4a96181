#pragma once
#include <functional>
#include <string>

#include "tests/window/driver.h"

namespace window {

// Registers the window's scenarios as GoogleTest tests "<suite>.<scenario>",
// each run on the driver that `driver` returns (one per test, or shared).
void registerScenarios(const std::string& suite, std::function<Driver&()> driver);

}  // namespace window
