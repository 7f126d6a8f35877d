// Ortalba: with no arguments the almanac's window; with arguments the command-line printer.
#include <QApplication>

#include "app/form1.h"
#include "app/platform/main_window.h"
#include "app/platform/printer.h"
#include "app/platform/qt_platform.h"
#include "app/platform/vector_state.h"

int main(int argc, char** argv) {
  if (argc > 1) return ortalba::runCommandLine(argc, argv);

  QApplication application(argc, argv);
  ortalba::clearUpperVectorState();
  ortalba::QtPlatform platform;  // the working folder is the one current now
  app::Form1 form(platform);
  ortalba::MainWindow window(form);
  if (platform.keepOnTopRequested()) window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  window.show();
  return application.exec();
}
