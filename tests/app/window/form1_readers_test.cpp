#include "tests/app/form_widgets.h"
#include "app/widgets/chart_series.h"
#include "app/window/form1.h"
#include "flight/flight_tables.h"
#include "tests/generator/flight_generator.h"
#include "tests/app/window/scripted_window.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

class SlotReading : public ScriptedWindow {
 protected:
  void SetUp() override {
    ScriptedWindow::SetUp();
    form.switchboard.bindButton(widget<QPushButton>(form, "Compare"), [this] { ++redraws; });
  }

  QString generated(const QString& name, Layout layout) {
    FlightRecipe recipe;
    recipe.layout = layout;
    return write(name, generateFlight(recipe));
  }

  int redraws = 0;
};

QStringList itemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

}  // namespace

TEST_F(SlotReading, EachOpenButtonFillsItsOwnSlotAndRedraws) {
  const QString tab = generated("a.txt", Layout::Tab);
  const QString sct = generated("b.txt", Layout::Sct);
  const QString shifr = generated("c.txt", Layout::Shifr);
  chooser.choose(tab);
  chooser.choose(sct);
  chooser.choose(shifr);
  QTest::mouseClick(widget<QPushButton>(form, "Button1"), Qt::LeftButton);
  QTest::mouseClick(widget<QPushButton>(form, "Button3"), Qt::LeftButton);
  QTest::mouseClick(widget<QPushButton>(form, "Button8"), Qt::LeftButton);
  ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
  EXPECT_EQ(redraws, 3);
  EXPECT_EQ(mass1Count, 200);
  EXPECT_EQ(mass2Count, 200);
  EXPECT_EQ(mass3Count, 200);
  EXPECT_EQ(widget<QLabel>(form, "Label1")->text(), tab);
  EXPECT_EQ(widget<QLabel>(form, "Label7")->text(), shifr);
  EXPECT_EQ(widget<ChartSeries>(form, "Series2")->legendTitle(), sct.right(30));
  EXPECT_EQ(widget<ChartSeries>(form, "Series2")->name(), sct.right(30));
  EXPECT_EQ(itemsOf(widget<QComboBox>(form, "ComboBox3")), itemsOf(widget<QComboBox>(form, "ComboBox4")));
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox3")->currentText(), "He");
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox4")->currentText(), "tmp1f");
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox5")->currentIndex(), 1);
  EXPECT_EQ(widget<QLabel>(form, "Label5")->text(), "200") << "the Шифр row count";
  EXPECT_EQ(lowchange1Position, kNoSlwiColumn);
}

TEST_F(SlotReading, NoDefaultNameLeavesNoItemSelected) {
  chooser.choose(write("x.txt", "INTtime INTfoo\n1 2\n"));
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox1")->count(), 2);
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox1")->currentIndex(), -1);
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox2")->currentIndex(), -1);
}

TEST_F(SlotReading, CancelDoesNothingAndTheDialogKeepsTheLastFile) {
  const QString sct = generated("b.txt", Layout::Sct);
  chooser.choose(sct);
  widget<QPushButton>(form, "Button3")->click();
  mass2Count = 17;
  chooser.cancel();
  widget<QPushButton>(form, "Button3")->click();
  EXPECT_EQ(mass2Count, 17) << "no read";
  EXPECT_EQ(redraws, 1);
  EXPECT_TRUE(errors.messages.isEmpty());
  EXPECT_EQ(QFile::decodeName(form.OpenDialog2.fileName), sct);
  EXPECT_TRUE(form.OpenDialog2.filter.startsWith("Flight files|*.TXT;*.raw;*.TAE3;*.T3;*.TAE03;*.int;*.csv;*.txt;*.dat;*.log;*.nc;*.bufr;*.bin|"
                                                 "Special files|*.TXT;"));

  chooser.cancel();
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_TRUE(errors.messages.isEmpty()) << "cancel right after start is no error either";
}

TEST_F(SlotReading, FailuresReportOnceAndRedrawOnlyWhenTheSlotWasEmptied) {
  chooser.choose(folder.filePath("gone.txt"));
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_EQ(redraws, 0);
  EXPECT_EQ(widget<QLabel>(form, "Label1")->text(), "Вектор") << "a missing file changes nothing";
  const QString bad = write("bad.txt", "INTtime INTalt\n1 2\n3\n");
  chooser.choose(bad);
  widget<QPushButton>(form, "Button3")->click();
  const QString unknown = write("<b>unknown.txt", "no flight\n");
  chooser.choose(unknown);
  widget<QPushButton>(form, "Button8")->click();
  EXPECT_EQ(errors.messages, QStringList({"File does not exist.\nFile: " + folder.filePath("gone.txt"),
                                          "'' is not a valid floating point value\nFile: " + bad + ", line 3",
                                          "Unrecognised file: no header line of a known flight layout.\nFile: " + unknown}));
  EXPECT_EQ(redraws, 2) << "the charts show that the slot is empty now";
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox3")->currentText(), "INTalt") << "what the failed read set stays";
  EXPECT_EQ(mass2Count, 0);
  EXPECT_EQ(widget<QLabel>(form, "Label7")->textFormat(), Qt::PlainText) << "a file name is never markup";
}

// A column named to turn text around, and one named by a tag character beyond the first plane:
// the lists, whence the axes and pictures take their titles, show U+FFFD.
TEST_F(SlotReading, ColumnNamesShowNoFormatCharacters) {
  chooser.choose(write("names.txt", "t\tH\t\u202ET\tU\U000E0041\n1\t100\t5.5\t50\n2\t200\t4.5\t51\n"));
  widget<QPushButton>(form, "Button1")->click();
  ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
  EXPECT_EQ(itemsOf(widget<QComboBox>(form, "ComboBox2")).mid(2), (QStringList{"\uFFFDT", "U\uFFFD"}));
}

TEST_F(SlotReading, ALongFileNameStaysOffTheOtherControls) {
  ASSERT_TRUE(QDir(folder.path()).mkpath(QString(120, 'd')));
  const QString deep = generated(QString(120, 'd') + "/flight.txt", Layout::Tab);
  for (QPushButton* button : {widget<QPushButton>(form, "Button1"), widget<QPushButton>(form, "Button8")}) {
    chooser.choose(deep);
    button->click();
  }
  EXPECT_EQ(widget<QLabel>(form, "Label1")->text(), deep) << "the text stays whole";
  EXPECT_LT(widget<QLabel>(form, "Label1")->geometry().right(), widget<QComboBox>(form, "ComboBox1")->x());
  EXPECT_LT(widget<QLabel>(form, "Label7")->geometry().right(), widget<QLabel>(form, "Label8")->x());
}

TEST_F(SlotReading, TheSeparatorBoxesDecideHowTheNextReadConverts) {
  const QString comma = write("comma.txt", "ВРЕМЯ H T\n1 100 5,5\n");
  chooser.choose(comma);
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_TRUE(errors.messages.isEmpty());
  form.regionalSeparator = ',';
  chooser.choose(comma);
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_EQ(errors.messages.value(0), "'5.5' is not a valid floating point value\nFile: " + comma + ", line 2\n" +
                                          "The number would read with \"Запятая\" ticked: tick \"Запятая\" and open the file again.");
  widget<QCheckBox>(form, "CheckBox3")->click();
  EXPECT_FALSE(widget<QCheckBox>(form, "CheckBox2")->isChecked());
  chooser.choose(comma);
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_EQ(errors.messages.size(), 1);
  EXPECT_EQ(mass1Count, 1);
}

namespace {

// Picks a file, which then changes before the reader gets to it.
struct ChangingChooser : FileChooser {
  bool execute(OpenDialog& dialog) override {
    dialog.fileName = QFile::encodeName(path);
    change();
    return true;
  }
  QString path;
  std::function<void()> change;
};

}  // namespace

TEST_F(SlotReading, AFileThatChangesAfterItWasChosen) {
  ChangingChooser changing;
  form.setFileChooser(&changing);
  changing.path = write("f.int", "INTtime INTalt\n1 2\n3 4\n");
  changing.change = [&] { QFile::remove(changing.path); };
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_EQ(errors.messages.value(0).section('\n', 0, 0), "File does not exist.");

  write("f.int", "INTtime INTalt\n1 2\n3 4\n");
  changing.change = [&] { QFile(changing.path).resize(19); };
  widget<QPushButton>(form, "Button1")->click();
  EXPECT_EQ(errors.messages.size(), 1);
  EXPECT_EQ(mass1Count, 1) << "what is there when the read begins";
}

namespace {

// The window as it draws, with a product whose slot 1 closes up over a dip (rows 3 to 6 hold
// the product's rows 5 to 8); its lon is read only when picked.
class ProductColumns : public ScriptedWindow {
 protected:
  void SetUp() override {
    ScriptedWindow::SetUp();
    writeProduct();
  }

  void writeProduct() {
    QFile::remove(product);
    QFile::copy(QString(REFERENCE_FILES) + "/gruan_early_dip.nc", product);
  }

  void pick(QComboBox* box, const QString& item) {
    const int index = box->findText(item);
    box->setCurrentIndex(index);
    emit box->activated(index);
  }

  const CurvePoints& flight1() const { return form.workspace().points().flight1; }

  const QString product = folder.filePath("dip.nc");
};

}  // namespace

// Hidden, and shown, where the reads go aside and their tables are taken over afterwards.
TEST_F(ProductColumns, AreListedAtOnceAndEachIsReadWhenFirstPicked) {
  struct Pick {
    QComboBox* box;
    const char* item;
    std::vector<double> x, y;
  };
  for (const bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "shown" : "hidden");
    form.setVisible(shown);
    form.openFile(1, product.toUtf8());
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
    EXPECT_EQ(itemsOf(widget<QComboBox>(form, "ComboBox1")), (QStringList{"time", "H", "T", "temp_uc", "lon"}));
    EXPECT_EQ(itemsOf(widget<QComboBox>(form, "ComboBox2")), itemsOf(widget<QComboBox>(form, "ComboBox1")));
    EXPECT_EQ(widget<QComboBox>(form, "ComboBox1")->currentIndex(), 1);
    EXPECT_EQ(widget<QComboBox>(form, "ComboBox2")->currentIndex(), 2);
    for (const Pick& p : {Pick{widget<QComboBox>(form, "ComboBox2"), "lon", {10, 11, 14, 15, 16, 17}, {100, 110, 120, 130, 140, 150}},
                          Pick{widget<QComboBox>(form, "ComboBox1"), "time", {10, 11, 14, 15, 16, 17}, {0, 1, 4, 5, 6, 7}}}) {
      SCOPED_TRACE(p.item);
      pick(p.box, p.item);
      EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
      EXPECT_EQ(flight1().x, p.x);
      EXPECT_EQ(flight1().y, p.y);
    }
    pick(widget<QComboBox>(form, "ComboBox1"), "H");
  }
}

// A column read later from a file rewritten since would belong to another flight: cut short,
// or rewritten to the same size with its modification time put back (cp -p, rsync -t).
TEST_F(ProductColumns, ALaterReadThatFailsIsReportedAndLeavesNoCurve) {
  const auto cut = [this] { QFile(product).resize(100); };
  const auto rewrittenAsBefore = [this] {
    struct stat before {};
    ::stat(QFile::encodeName(product).constData(), &before);
    QFile file(product);
    file.open(QIODevice::ReadWrite);
    const QByteArray bytes = file.readAll();
    file.seek(0);
    file.write(bytes);
    file.close();
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, QFile::encodeName(product).constData(), times, 0);
  };
  for (const std::function<void()>& change : {std::function<void()>(cut), std::function<void()>(rewrittenAsBefore)}) {
    errors.messages.clear();
    form.openFile(1, product.toUtf8());
    ASSERT_FALSE(flight1().x.empty());
    change();
    pick(widget<QComboBox>(form, "ComboBox2"), "lon");
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_EQ(errors.messages[0].section('\n', 0, 0), "The file has changed since it was read: open it again.");
    EXPECT_EQ(errors.messages[0].section('\n', 1), "File: " + product);
    EXPECT_TRUE(flight1().x.empty());
    EXPECT_EQ(widget<ChartSeries>(form, "Series1")->dataCount(), 0);
    writeProduct();
  }
}

// While the window shows, a product's library works aside: the window goes on with its events,
// and the operator may cancel the read, which leaves the slot empty and reports nothing.
TEST_F(SlotReading, AProductIsReadAsideAndMayBeCancelled) {
  const QByteArray product = QByteArray(REFERENCE_FILES) + "/temp_40000_levels.bufr";
  form.show();
  int events = 0;
  QTimer ticking;
  QObject::connect(&ticking, &QTimer::timeout, [&events] { ++events; });
  ticking.start(10);
  form.openFile(1, product);
  EXPECT_GT(events, 0) << "the window's events went on during the read";
  EXPECT_EQ(mass1Count, 40000);
  EXPECT_EQ(widget<QComboBox>(form, "ComboBox1")->currentText(), "H") << "what the read chose, shown once it ended";

  // Cancelled as the operator does: a click on the dialog's button, once the dialog shows.
  QTimer clicking;
  QObject::connect(&clicking, &QTimer::timeout, [&] {
    const auto dialog = form.findChild<QProgressDialog*>(QStringLiteral("AsideWork"));
    if (!dialog || !dialog->isVisible()) return;
    const QPushButton* cancel = dialog->findChild<QPushButton*>();
    QTest::mouseClick(dialog->windowHandle(), Qt::LeftButton, {}, cancel->mapTo(dialog, cancel->rect().center()));
    clicking.stop();
  });
  clicking.start(20);
  form.openFile(2, product);
  EXPECT_EQ(mass2Count, 0);
  EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join('\n').toStdString();
  EXPECT_EQ(mass1Count, 40000) << "another slot keeps its flight";
}
