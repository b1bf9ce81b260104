// What the window remembers from one session to the next, and only that: where it stood, where
// files were opened and saved, the recent files and the statistics' layer. Nothing that changes
// what a number means is kept: the separator boxes, the correction, "+" and the slow channel
// start as designed. Without settings (batch modes) nothing is read or written.
#include "app/window/form1.h"

#include "app/support/shown_text.h"
#include "app/widgets/shift_box.h"
#include "app/window/layer_statistics_panel.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>

namespace {

constexpr int kRecentFiles = 10;
const QString kGeometry = QStringLiteral("window/geometry");
const QString kSplitter = QStringLiteral("window/splitter");
const QString kLayer = QStringLiteral("statistics/layer");
const QString kMatching = QStringLiteral("statistics/matching");  // "height" or "time"
const QString kShift = QStringLiteral("statistics/shift");        // seconds typed; none while found
const QString kRecent = QStringLiteral("files/recent");
QString folderKey(int slot) { return QStringLiteral("files/folder%1").arg(slot); }

// Where the frame lies wholly on one of the screens as they are now.
bool fitsTheScreens(const QRect& frame) {
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen->availableGeometry().contains(frame)) return true;
  return false;
}

}  // namespace

void TForm1::remember(QSettings* settings) {
  settings_ = settings;
  if (!restoreGeometry(settings->value(kGeometry).toByteArray()) || !fitsTheScreens(frameGeometry()))
    placeOnScreen(screen()->availableGeometry());
  Splitter1->restoreState(settings->value(kSplitter).toByteArray());
  for (int slot = 1; slot <= 3; ++slot) {
    const QString folder = settings->value(folderKey(slot)).toString();
    if (!folder.isEmpty()) openDialog(slot).fileName = QFile::encodeName(folder + QLatin1Char('/'));
  }
  QComboBox* layer = Statistics->thicknessBox;
  const int remembered = layer->findData(settings->value(kLayer).toDouble());
  if (remembered >= 0) layer->setCurrentIndex(remembered);
  connect(layer, &QComboBox::currentIndexChanged, this, [this] { settings_->setValue(kLayer, Statistics->thickness()); });
  rememberMatching();
}

void TForm1::rememberMatching() {
  if (settings_->value(kMatching).toString() == QStringLiteral("time")) Statistics->matchingBox->setCurrentIndex(1);
  bool typed = false;
  const double shift = settings_->value(kShift).toDouble(&typed);
  if (typed) Statistics->shiftBox->setValue(shift);
  connect(Statistics->matchingBox, &QComboBox::currentIndexChanged, this, [this](int index) {
    settings_->setValue(kMatching, index == 1 ? QStringLiteral("time") : QStringLiteral("height"));
  });
  connect(Statistics, &LayerStatisticsPanel::shiftEdited, this, [this] {
    const std::optional<double> typed = Statistics->typedShift();
    typed ? settings_->setValue(kShift, *typed) : settings_->remove(kShift);
  });
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (settings_) {
    settings_->setValue(kGeometry, saveGeometry());
    settings_->setValue(kSplitter, Splitter1->saveState());
  }
  QWidget::closeEvent(event);
}

QList<QByteArray> TForm1::recentFiles() const {
  QList<QByteArray> files;
  if (settings_)
    for (const QVariant& file : settings_->value(kRecent).toList()) files << file.toByteArray();
  return files;
}

void TForm1::rememberFile(int slot, const QByteArray& fileName) {
  if (!settings_) return;
  const QFileInfo file(QFile::decodeName(fileName));
  settings_->setValue(folderKey(slot), file.absolutePath());
  const QByteArray absolute = QFile::encodeName(file.absoluteFilePath());
  QList<QByteArray> files = recentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  QVariantList kept;
  for (const QByteArray& recent : files.mid(0, kRecentFiles)) kept << recent;
  settings_->setValue(kRecent, kept);
}

void TForm1::showRecentFiles(int slot, const QPoint& at) {
  QMenu menu(this);
  menu.setToolTipsVisible(true);
  menu.addSection(QStringLiteral("Недавние файлы → полёт %1").arg(slot));
  const QList<QByteArray> files = recentFiles();
  for (const QByteArray& file : files) {
    const QString name = QFile::decodeName(file);
    QAction* recent = menu.addAction(shownText(QFileInfo(name).fileName()));
    recent->setToolTip(shownText(name));
    connect(recent, &QAction::triggered, this, switchboard.guarded([this, slot, file] { openFile(slot, file); }));
  }
  if (files.isEmpty()) menu.addAction(QStringLiteral("Нет недавних файлов"))->setEnabled(false);
  menu.exec(at);
}

// Each open button's context menu holds the recent files; Ctrl+O opens slot 1's dialog (with
// Shift slot 2's, with Alt slot 3's), Ctrl+R the recent files for slot 1 (likewise).
void TForm1::createOpenActions() {
  const Qt::KeyboardModifiers slotKeys[] = {Qt::ControlModifier, Qt::ControlModifier | Qt::ShiftModifier,
                                            Qt::ControlModifier | Qt::AltModifier};
  for (int slot = 1; slot <= 3; ++slot) {
    QPushButton* button = slotWidgets(slot).openButton;
    const auto recentHere = [this, slot, button] { showRecentFiles(slot, button->mapToGlobal(button->rect().bottomLeft())); };
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, slot, button](const QPoint& at) { showRecentFiles(slot, button->mapToGlobal(at)); });
    auto open = new QAction(this);
    open->setShortcut(QKeySequence(QKeyCombination(slotKeys[slot - 1], Qt::Key_O)));
    connect(open, &QAction::triggered, button, &QPushButton::click);
    auto recent = new QAction(this);
    recent->setShortcut(QKeySequence(QKeyCombination(slotKeys[slot - 1], Qt::Key_R)));
    connect(recent, &QAction::triggered, this, recentHere);
    addActions({open, recent});
    button->setToolTip(button->toolTip() + QStringLiteral("\n%1; недавние файлы: %2 или правая кнопка мыши")
                                               .arg(open->shortcut().toString(QKeySequence::NativeText),
                                                    recent->shortcut().toString(QKeySequence::NativeText)));
  }
}
