#include "app_fonts.h"
#include "form1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  loadWindowFace();
  TForm1 window;
  Form1 = &window;
  window.show();
  return application.exec();
}
