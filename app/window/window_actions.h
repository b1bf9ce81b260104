#pragma once

#include "app/support/open_dialog.h"

#include <QByteArray>
#include <QString>

class TForm1;

// The window's actions as the operator performs them, for scripts (batch mode): each goes
// through the widget it names and runs the handler that widget runs, so that a script does what
// a click does. Files are chosen by script. A failure throws, as the handlers do.
class WindowActions {
 public:
  explicit WindowActions(TForm1& form);

  void open(int slot, const QByteArray& fileName);
  void cancelOpen(int slot);
  // Ticks "Точка" or "Запятая" when it is not ticked.
  void tickSeparator(bool point);
  void setRegionalSeparator(char separator);

  enum class List { Height, Parameter };
  // Picks an item by its text, or "#N" for index N, as the user picks from the list.
  void pick(int slot, List list, const QString& item);
  // Flight 1's or 2's uncertainty column by its name, or "none".
  void pickUncertainty(int slot, const QString& name);
  // Types the text into the list as one change: it selects the item of that text, or none.
  void type(int slot, List list, const QString& text);
  // A quick-select button by its caption, T, H, D, V or P.
  void quickSelect(const QString& caption);
  void stepCorrection(bool up, int count);
  void toggleCorrectionStep();
  void setPlus(bool on);
  void setSlowChannel(const QString& text);
  // Flight 2 matched to flight 1 by height, or in time.
  void setMatching(bool inTime);
  // The shift of flight 2's clock: "auto" (found), or seconds.
  void setShift(const QString& shift);
  // Flight 1's or 2's time column by its name, or "#N" for index N.
  void pickTime(int slot, const QString& item);

 private:
  TForm1& form_;
  ScriptedFileChooser chooser_;
};
