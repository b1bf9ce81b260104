#pragma once

#include "tests/support/temp_folder.h"
#include "app/window/form1.h"
#include "tests/generator/flight_generator.h"
#include "flight/flight_tables.h"
#include "workspace/workspace.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

// The window from a fresh start, with its dialogs answered by a script and its messages
// recorded; decimals are points, in the regional settings and in the boxes.
class ScriptedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    form.setErrorReporter(&errors);
    form.setFileChooser(&chooser);
    form.regionalSeparator = '.';
    form.mirrorRegionalSeparator();
  }

  QString write(const QString& name, const std::string& bytes) {
    return QString::fromStdString(folder.write(name.toStdString(), bytes));
  }

  // Opens a generated flight with the button, as the user would.
  void open(QPushButton* button, const FlightRecipe& recipe) {
    chooser.choose(write(QString::number(++files) + ".txt", generateFlight(recipe)));
    button->click();
  }

  TForm1 form;
  ErrorRecorder errors;
  ScriptedFileChooser chooser;
  TempFolder folder;
  int files = 0;
};
