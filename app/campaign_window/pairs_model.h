#pragma once

#include "campaign/campaign_report.h"

#include <QAbstractTableModel>

#include <vector>

// The campaign's pairs as the window's table shows them: the list's own columns, and once a run's
// result is shown, each pair's status and statistics. A cell's text is made when the view asks
// for it, so a list of 100 000 pairs costs no more to show, or to show a result for, than the
// rows on screen. The group is the one column the operator may type over.
class PairsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  const std::vector<CampaignPair>& pairs() const { return pairs_; }
  // Either puts away the result shown, which belongs to the pairs it was shown with.
  void setPairs(std::vector<CampaignPair> pairs);
  void addPairs(std::vector<CampaignPair> pairs);

  // The run's rows, in the pairs' order, shown until the next call (none: the list alone). The
  // report stays the caller's, and must outlive its showing.
  void showResult(const CampaignReport* report);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void groupEdited();

 private:
  const PairRow* resultRow(int row) const;
  QString text(int row, int column) const;
  QString flightTip(int row, int slot) const;

  std::vector<CampaignPair> pairs_;
  const CampaignReport* report_ = nullptr;
};
