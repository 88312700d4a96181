// Start-up of the Qt front end: the window, its Load handler, the event loop.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "sorbel_version.h"
#include "ui/events.h"
#include "ui/qt/qt_form.h"

namespace {

bool unset(const char* name) {
  const char* v = std::getenv(name);
  return v == nullptr || *v == '\0';
}

// Without a display Qt aborts with a message about platform plugins that
// does not say what to do.
bool explainMissingDisplay(const char* argv0) {
  if (!unset("QT_QPA_PLATFORM") || !unset("DISPLAY") || !unset("WAYLAND_DISPLAY")) return false;
  std::fprintf(stderr,
               "%s: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
               "Sorbel is a desktop window and needs an X11 or Wayland session.\n"
               "To run it on a virtual X server:  xvfb-run -a %s\n",
               argv0, argv0);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (explainMissingDisplay(argv[0])) return 1;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sorbel"));
  // Lets Wayland match the window to its installed desktop entry.
  QGuiApplication::setDesktopFileName(QStringLiteral(SORBEL_APP_ID));
  // Qt's own texts (the OK button, the edit menu) in Simplified Chinese.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  ui::qt::QtForm form;
  QIcon icon;
  for (const QString& file : QStringLiteral(SORBEL_ICON_FILES).split(u',')) icon.addFile(file);
  form.window().setWindowIcon(icon);
  ui::loaded(form);
  form.window().show();
  return QApplication::exec();
}
