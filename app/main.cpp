#include "app_fonts.h"
#include "batch_mode.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const bool batch = isBatchRun(arguments);
  // Batch mode never shows the window, so it needs no display.
  if (batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication application(argc, argv);
  loadWindowFace();
  if (batch) return runBatch(arguments);

  TForm1 window;
  Form1 = &window;
  window.show();
  // flightcompare FILE1 [FILE2 [FILE3]] opens them into the slots, as a drop would.
  window.openFiles(QApplication::arguments().mid(1));
  return application.exec();
}
