#pragma once

#include "app/support/error_reporter.h"
#include "app/support/open_dialog.h"
#include "app/support/switchboard.h"
#include "compare/comparison_redraw.h"
#include "flight/decimal_separators.h"
#include "flight/flight_identity.h"
#include "flight/later_columns.h"
#include "flight/quantities.h"
#include "workspace/workspace.h"

#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

class CampaignWindow;
class SlotControls;
class TextFile;
class QAction;
class QCheckBox;
class QComboBox;
class QCustomPlot;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSettings;
class QSplitter;
class ChartSeries;
class InteractiveChart;
class LayerStatisticsPanel;
class ClickableLabel;
class UncertaintyBand;
class UpDown;
class QJsonArray;
class QJsonObject;

// The one window. It holds its controls and the handlers of the user's actions; the flight
// data lives in the process-wide tables of the flight library.
class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);

  // Tests and batch mode take the messages instead of a modal box, and choose files by script.
  void setErrorReporter(ErrorReporter* reporter) { switchboard.setReporter(reporter); }
  void setFileChooser(FileChooser* chooser) { fileChooser_ = chooser; }
  Switchboard switchboard;

  // The slots' open dialogs: the folder and file each was last opened on.
  OpenDialog OpenDialog1;
  OpenDialog OpenDialog2;
  OpenDialog OpenDialog3;

  // The decimal separator of the regional settings, the only one the conversion accepts.
  char regionalSeparator;
  // Ticks the separator box that states regionalSeparator.
  void mirrorRegionalSeparator();


  void CompareClick();
  void FormCreate();
  void Button1Click();
  void UpDown1Click();
  void Label4Click();
  void PolusClick();
  void Polus2Click();
  void Polus3Click();
  void Button3Click();
  void ComboBox1Change();
  void ComboBox2Change();
  void Edit2Change();
  void ComboBox3Change();
  void ComboBox4Change();
  void Button2Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void CheckBox1Click();
  void CheckBox2Click();
  void CheckBox3Click();
  void UncertaintyBoxChange();
  void LayerThicknessChange();
  void MatchingChange();
  void ShiftChange();
  void TimeBoxChange();


  // Who flew, when and where, as the last successful read of slot 1, 2 or 3 gave it; an empty
  // path while the slot holds no flight.
  const FlightIdentity& flightIdentity(int slot) const { return workspace_.identity(slot); }
  // What the window shows, free of its widgets.
  const Workspace& workspace() const { return workspace_; }
  // The kind of the height column chosen for slot 1, 2 or 3.
  HeightKind heightKindOf(int slot) const;
  // The rule that joins flight 1's and flight 2's uncertainties, while the comparison is judged
  // by both; nothing otherwise.
  std::optional<UncertaintyRule> judgedRule() const;
  // The coverage factor the chosen uncertainty column of flight 1 or 2 was stated at (NaN where
  // none was stated, or none is chosen).
  double uncertaintyCoverage(int slot) const;


  // The designed place and size where they fit on the screen's available area, otherwise
  // centred and shrunk to fit, never below the size at which every control shows.
  void placeOnScreen(const QRect& available);

  // From now on the window remembers its place, folders, recent files and layer in these
  // settings, and takes them up at once; without, it remembers nothing.
  void remember(QSettings* settings);
  // A line under the charts that says what the operator should know of the session (settings
  // not read); empty hides it.
  void showStatus(const QString& text);
  // The files read last, across slots, the latest first.
  QList<QByteArray> recentFiles() const;

  // Reads a file into slot 1, 2 or 3 as its open button would with that file chosen.
  void openFile(int slot, const QByteArray& fileName);
  // Dropped files and files named at start, by their names' bytes: each opened as its own action.
  void openFiles(const QList<QByteArray>& fileNames);
  // Files named at start: opened once the window has been painted, so that it shows at once.
  void openFilesOncePainted(const QList<QByteArray>& fileNames);

  // Both charts side by side as .png (at `scale` times their pixels), or as .svg or .pdf on an A4
  // page under a line naming the flights and quantities; the points of the five series and the
  // layer statistics as CSV, or as NetCDF by the name's .nc or the chosen filter
  // (app/output/comparison_data.h). Fail with a FlightError.
  void saveChartsAs(const QString& fileName, int scale = 2);
  void saveDataAs(const QString& fileName, const QString& chosenFilter = {});

  // The campaign window, made on first use and shown in front; its double-clicked pairs open
  // here, into slots 1 and 2.
  void showCampaignWindow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The window keeps its widgets to itself: scripts act through WindowActions, the batch JSON
  // reads the view's few facts of its own, and tests find controls by their object names.
  friend class WindowActions;
  friend QJsonObject windowStateJson(const TForm1& form, const QJsonArray& errors);

  QFrame* Panel1;
  QPushButton* Polus3;
  QPushButton* AVK;
  QPushButton* Compare;
  QLabel* Label1;
  QLabel* Label2;
  QWidget* Panel2;
  InteractiveChart* Chart1;
  ChartSeries* Series1;
  ChartSeries* Series2;
  InteractiveChart* Chart2;
  ChartSeries* Series3;
  QLineEdit* Edit1;
  UpDown* UpDown1;
  QLabel* Label3;
  ClickableLabel* Label4;
  QPushButton* Polus;
  QPushButton* Button3;
  QPushButton* Polus2;
  QPushButton* Button1;
  QComboBox* ComboBox1;
  QComboBox* ComboBox2;
  QComboBox* ComboBox3;
  QComboBox* ComboBox4;
  QLineEdit* Edit2;
  QLabel* Label5;
  QLabel* Label6;
  ChartSeries* Series4;
  QSplitter* Splitter1;
  QPlainTextEdit* Memo1;
  QPushButton* Button2;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button6;
  QPushButton* Button7;
  ChartSeries* Series5;
  QLabel* Label7;
  QComboBox* ComboBox5;
  QComboBox* ComboBox6;
  QPushButton* Button8;
  QCheckBox* CheckBox1;
  QLabel* Label8;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;
  // Beyond the designed window: the layer statistics beside Chart2, with the choice of each
  // compared flight's uncertainty column, and the ±2·u_c band on Chart2.
  LayerStatisticsPanel* Statistics;
  UncertaintyBand* Band;

  // The controls that make up flight slot 1, 2 or 3.
  struct SlotWidgets {
    QPushButton* openButton;
    QLabel* fileLabel;
    ChartSeries* series;
    QComboBox* heightBox;
    QComboBox* parameterBox;
  };
  SlotWidgets slotWidgets(int slot) const;
  // Slot 1's or 2's choice of its uncertainty column; none for slot 3, which is not compared.
  QComboBox* uncertaintyBox(int slot) const;

  // Series1 to Series5 in their order, each with the points the last redraw gave it.
  struct DrawnSeries {
    ChartSeries* series;
    const CurvePoints* points;
  };
  std::array<DrawnSeries, 5> drawnSeries() const;

  void createPanel1();
  void createButtons();
  void createLabelsAndEdits();
  void createComboBoxes();
  void createCheckBoxes();
  void createPanel2();
  void createChart1();
  void createChart2();
  void createToolTips();
  QLabel* createStatusLine();
  // The slot's file label and legend entry tell its flight's identity under their tips.
  void showIdentity(int slot);
  void connectHandlers();
  void createCampaignAction();
  void createExportActions();
  void createOpenActions();
  void rememberFile(int slot, const QByteArray& fileName);
  void showRecentFiles(int slot, const QPoint& at);
  void chooseAndRead(int slot);
  void readChosenFile(int slot);
  FlightIdentity readFlight(int slot, TextFile& file, const ColumnPick& pick);
  // The columns a redraw is about to use that their products' reads left for later; false when
  // the operator cancelled.
  bool readUsedColumns(const RedrawRequest& request);
  OpenDialog& openDialog(int slot);
  DecimalSeparators decimalSeparators() const;
  void quickSelect(Quantity quantity);
  void takePicks(int slot);
  void takeUncertainty(int slot);
  // The slot's widgets show what the workspace holds of it.
  void showSlot(int slot);
  void showLegendTitles();
  void labelCharts();
  QString printTitle(const QList<InteractiveChart*>& charts) const;
  void showBand();
  void createReadouts();
  // The drawn flights indexed for the readout, after each redraw.
  void indexDrawnFlights();
  QString parameterUnit(int slot) const;
  void widenStatistics();
  // The slot's uncertainty list mirrors its parameter list; the column chosen is the one its
  // parameter names, which follows each new parameter.
  void listUncertainties(int slot);
  void chooseUncertainty(int slot);
  // Slot 1's or 2's time list mirrors its parameter list, the workspace's time column chosen.
  void listTimes(int slot);
  void showMatching();
  void rememberMatching();
  // The tips of the uncertainty boxes, the band and the table, and the warning of heights of
  // different kinds, for the pair on screen.
  void showJudgement();
  QString comparedFacts() const;
  void openFilesNext();

  MessageBoxReporter messageBoxes_{this};
  DialogFileChooser dialogs_{this};
  Workspace workspace_;
  FileChooser* fileChooser_ = &dialogs_;
  QList<QByteArray> filesToOpenOncePainted_;
  QAction* campaignAction_ = nullptr;
  CampaignWindow* campaignWindow_ = nullptr;
  std::array<CurveLookup, 3> drawnFlights_;
  QSettings* settings_ = nullptr;
  QLabel* statusLine_ = nullptr;
  QString comparisonTitle_;  // Chart2's value axis, without how the comparison matched
};

// The texts of a combo box's items, in their order.
std::vector<std::string> itemTexts(const QComboBox* box);
