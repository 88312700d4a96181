// The monkey let loose on the Qt window, offscreen.
//   qt_monkey [--seed N] [--events N] [--verbose]
#include <QApplication>
#include <cstdio>

#include "tests/monkey/runner.h"
#include "tests/qt/qt_driver.h"

namespace {

// The offscreen platform says so for every popup and message box.
QtMessageHandler standardHandler = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  standardHandler = qInstallMessageHandler(quietPlatform);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorbel"));
  const monkey::RunOptions options =
      monkey::parseOptions({argv + 1, argv + argc}, {.seed = 20240611, .actions = 20000});
  window::QtDriver driver(options.seed);
  return monkey::run(driver, options, "qt_monkey") == 0 ? 0 : 1;
}
