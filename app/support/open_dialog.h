#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QWidget;

// The open-file dialog of a slot: a filter in the "Description|patterns|..." form and the name
// chosen last, which the next run starts from. The name is kept as the file system's bytes, so
// that a name in another encoding (a Windows Cyrillic one) still opens.
struct OpenDialog {
  QString filter;
  QByteArray fileName;
};

// Runs a slot's dialog: the window asks the user, tests and batch mode follow a script.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // True when a file was chosen (its name is then in the dialog); false on cancel.
  virtual bool execute(OpenDialog& dialog) = 0;
};

class DialogFileChooser : public FileChooser {
 public:
  explicit DialogFileChooser(QWidget* parent) : parent_(parent) {}
  bool execute(OpenDialog& dialog) override;

 private:
  QWidget* parent_;
};

// Answers with the queued names in order; a cancel, or none left, is a cancel.
class ScriptedFileChooser : public FileChooser {
 public:
  void choose(const QByteArray& fileName) { answers_.append(fileName); }
  void choose(const QString& fileName);
  void cancel() { answers_.append(std::nullopt); }
  bool execute(OpenDialog& dialog) override;

 private:
  QList<std::optional<QByteArray>> answers_;
};

// "Special files|*.TXT;*.raw|Any file (*.*)|*.*" as Qt's dialogs want it:
// "Special files (*.TXT *.raw);;Any file (*.*)".
QString qtNameFilters(const QString& filter);

// The extension a save dialog's filter stands for: "png" for "PNG (*.png)".
QString filterSuffix(const QString& filter);
