#include "app/support/app_fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace {
const QString kFace = QStringLiteral("Tahoma");
}

void loadWindowFace() {
  if (QFontDatabase::families().contains(kFace)) return;
  for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
    if (QFile::exists(QString::fromLatin1(file)))
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  }
}

QFont windowFont(int pixelHeight) {
  QFont font(kFace);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelHeight);
  return font;
}
