#include "app_fonts.h"
#include "batch_mode.h"
#include "form1.h"

#include <QApplication>

namespace {

// File names stay the bytes they were given as: a name in another encoding still opens.
QList<QByteArray> argumentBytes(int argc, char* argv[]) {
  QList<QByteArray> arguments;
  for (int i = 0; i < argc; ++i) arguments << QByteArray(argv[i]);
  return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool batch = isBatchRun(argumentBytes(argc, argv));
  // Batch mode never shows the window, so it needs no display.
  if (batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  // Qt takes its own options out of argv.
  QApplication application(argc, argv);
  loadWindowFace();
  if (batch) return runBatch(argumentBytes(argc, argv));

  TForm1 window;
  Form1 = &window;
  window.show();
  // flightcompare FILE1 [FILE2 [FILE3]] opens them into the slots, as a drop would, once the
  // window shows.
  window.openFilesOncePainted(argumentBytes(argc, argv).mid(1));
  return application.exec();
}
