// Shows one window titled argv[1]; with "owned" as argv[2] the window gets an owner.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  QWidget owner;
  const bool owned = argc > 2 && QString(argv[2]) == "owned";
  // A dialog over a parent is what gets an owner (WM_TRANSIENT_FOR) on X11.
  QWidget window(owned ? &owner : nullptr, owned ? Qt::Dialog : Qt::Window);
  if (owned) owner.show();  // the owner must be mapped for the owned window to say so
  window.setWindowTitle(QString::fromUtf8(argv[1]));
  window.resize(200, 100);
  window.show();
  return app.exec();
}
