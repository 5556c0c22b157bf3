#include "vocabulary/wordlistmodel.h"

#include <QColor>

#include "app/core/qtext.h"

namespace lx {

WordListModel::WordListModel(WordList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {
  shownRows_ = rowCount();
  subscription_ = list_.Subscribe([this] { Refresh(); });
}

WordListModel::~WordListModel() { list_.Unsubscribe(subscription_); }

int WordListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return list_.empty() ? 1 : static_cast<int>(list_.count());
}

int WordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant WordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int column = index.column();
  if (role == Qt::BackgroundRole && column == 0) return QColor(186, 205, 205);
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignTop));
  if (role != Qt::DisplayRole) return {};
  if (list_.empty()) return column == 3 ? QString(" ") : QString();
  const size_t k = static_cast<size_t>(index.row()) + 1;
  if (k > list_.count()) return {};
  const tspi& e = list_.at(k);
  switch (column) {
    case 0: return QString::number(index.row() + 1);
    case 1: return ToQ(e.word);
    case 2: return ToQ(PosTag(e.pos));
    case 3: return ToQ(std::string_view(&e.mark, 1));
    default: return ToQ(e.translation);
  }
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kHeader[kColumns] = {"    #", "Слово", "Ч.р.", "З", "Перевод"};
  return section >= 0 && section < kColumns ? QString::fromUtf8(kHeader[section]) : QVariant();
}

void WordListModel::Refresh() {
  // The same number of rows (an edit, a sort): the rows are redrawn and the
  // selection stays; otherwise the view starts over.
  if (rowCount() == shownRows_) {
    emit dataChanged(index(0, 0), index(shownRows_ - 1, kColumns - 1));
    return;
  }
  beginResetModel();
  shownRows_ = rowCount();
  endResetModel();
}

}  // namespace lx
