// The yardstick: the least a Qt 6 Widgets program with a Chinese caption does.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Sorbel"));
  QLabel label(QStringLiteral(u"计算结果（粒径/nm）为："), &window);
  window.show();
  return QApplication::exec();
}
