#include "app/campaign_window/pairs_model.h"

#include "app/output/campaign_tables.h"
#include "app/output/chart_titles.h"
#include "app/support/identity_tip.h"
#include "app/support/message_translation.h"
#include "app/support/shown_text.h"

#include <QBrush>
#include <QFile>

void PairsModel::setPairs(std::vector<CampaignPair> pairs) {
  beginResetModel();
  pairs_ = std::move(pairs);
  report_ = nullptr;
  endResetModel();
}

void PairsModel::addPairs(std::vector<CampaignPair> pairs) {
  if (pairs.empty()) return;
  showResult(nullptr);
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(pairs.size()) - 1);
  pairs_.insert(pairs_.end(), std::make_move_iterator(pairs.begin()), std::make_move_iterator(pairs.end()));
  endInsertRows();
}

void PairsModel::showResult(const CampaignReport* report) {
  if (report == report_) return;
  report_ = report;
  // The view repaints the rows it shows; no row is touched here.
  if (!pairs_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int PairsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(pairs_.size());
}

int PairsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(pairTableCaptions().size());
}

const PairRow* PairsModel::resultRow(int row) const {
  return report_ && static_cast<std::size_t>(row) < report_->pairRows.size() ? &report_->pairRows[row] : nullptr;
}

QVariant PairsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row();
  const int column = index.column();
  const bool flight = column == kFlight1Column || column == kFlight2Column;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return text(row, column);
    case Qt::ToolTipRole:
      return flight ? flightTip(row, column == kFlight1Column ? 1 : 2) : QVariant();
    case Qt::TextAlignmentRole:
      return column > kStatusColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::ForegroundRole: {
      const PairRow* result = resultRow(row);
      return column == kStatusColumn && result && !result->compared ? QBrush(Qt::darkRed) : QVariant();
    }
    default:
      return {};
  }
}

// A pair's flights as the list names them; once a run has read them, by their labels. The group
// cell keeps the list's group, which a run by the sun replaces: the sun's follows the status.
QString PairsModel::text(int row, int column) const {
  const CampaignPair& pair = pairs_[row];
  const PairRow* result = resultRow(row);
  if (column == kFlight1Column || column == kFlight2Column) {
    const int slot = column == kFlight1Column ? 1 : 2;
    return shownText(result ? report_->flightName(static_cast<std::size_t>(row), slot) : pair.name(slot));
  }
  if (column == kGroupColumn || !result) return pairTableRow(pair)[column];
  QString text = pairTableRow(pair, *result)[column];
  if (column != kStatusColumn) return text;
  if (!result->compared) text = shownText(translatedMessage(result->status).section(QLatin1Char('\n'), 0, 0));
  if (report_->settings.solarGroups) text += QStringLiteral(" · ") + groupCaption(result->group, true);
  return text;
}

// The path; once a run has read the flight, with the facts its file states.
QString PairsModel::flightTip(int row, int slot) const {
  const PairRow* result = resultRow(row);
  const FlightIdentity* flight = result ? &report_->flight(static_cast<std::size_t>(row), slot) : nullptr;
  if (flight && !flight->path.empty()) return plainToolTip(identityToolTip(*flight, flight->heightColumn));
  const CampaignPair& pair = pairs_[row];
  return plainToolTip(shownText(QFile::decodeName(QByteArray::fromStdString(pair.path(slot)))));
}

QVariant PairsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return pairTableCaptions().value(section);
  return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags PairsModel::flags(const QModelIndex& index) const {
  const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  return index.isValid() && index.column() == kGroupColumn ? flags | Qt::ItemIsEditable : flags;
}

bool PairsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || index.column() != kGroupColumn || role != Qt::EditRole) return false;
  std::string group = value.toString().trimmed().toStdString();
  CampaignPair& pair = pairs_[index.row()];
  if (group == pair.group) return true;
  pair.group = std::move(group);
  emit dataChanged(index, index);
  emit groupEdited();
  return true;
}
