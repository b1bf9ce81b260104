#pragma once

#include "app/output/campaign_output.h"
#include "flight/decimal_separators.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class BackgroundCampaign;
class InteractiveChart;
class PairsModel;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class ShiftBox;
class QLabel;
class QSettings;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTableWidget;
class QTimer;
class Switchboard;

// What the campaign window takes from the main window: its one place that reports failures,
// the decimal separator its reads use, and its slots 1 and 2 for a close look at a pair.
struct CampaignHost {
  const Switchboard& switchboard;
  std::function<DecimalSeparators()> separators;
  std::function<void(const CampaignPair&)> openPair;
  // Where the last list, quantity, layer and matching are remembered; none: nothing is.
  QSettings* settings = nullptr;
};

// Many pairs of flights compared at once: the pairs come from a list file or are built here
// from files, two at a time; a run goes on off the window's thread with its progress shown and
// can be cancelled; the result is the bias profile, the layer table and each pair's status,
// and can be saved as the campaign's files. Whatever changes the pairs or the settings puts the
// shown result away, so that nothing on screen belongs to another run.
class CampaignWindow : public QWidget {
  Q_OBJECT
 public:
  CampaignWindow(CampaignHost host, QWidget* parent);
  ~CampaignWindow() override;

  // What the buttons do once their dialogs have answered; failures throw.
  void loadList(const QString& fileName);
  void addFiles(const QList<QByteArray>& fileNames);  // first with second, third with fourth...
  void clearPairs();
  void run();
  void cancel();
  void save(const QString& folder);

  QPushButton* openListButton;
  QPushButton* addFilesButton;
  QPushButton* clearButton;
  QLabel* listLabel;
  QTableView* pairsTable;
  QComboBox* quantityBox;
  QLineEdit* columnEdit;
  QDoubleSpinBox* layerBox;
  QComboBox* matchBox;       // "по высоте", "по времени"
  ShiftBox* shiftBox;
  QCheckBox* plusBox;
  QCheckBox* solarBox;
  QCheckBox* apartBox;
  QPushButton* runButton;
  QPushButton* cancelButton;
  QProgressBar* progressBar;
  QPushButton* saveButton;
  QLabel* statusLabel;
  InteractiveChart* biasChart;
  InteractiveChart* pointsChart;
  QTableWidget* layersTable;

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void rememberChoices();
  void rememberList(const QString& fileName);
  QWidget* createPairsPanel();
  QWidget* createRunPanel();
  QWidget* createResultPanel();
  void createToolTips();
  void connectHandlers();
  CampaignSettings settings() const;
  MatchBy matching() const;
  void pairsChanged(const QString& listName);
  void showListName();
  void groupEdited();
  void forgetResult();
  void watchRun();
  void showResult(CampaignReport report);
  void setRunning(bool running);

  CampaignHost host_;
  PairsModel* pairs_;
  QString listName_;
  std::unique_ptr<BackgroundCampaign> running_;
  std::unique_ptr<BackgroundCampaign> cancelled_;  // ending on its own
  std::optional<CampaignReport> shown_;
  QTimer* watch_;
};
