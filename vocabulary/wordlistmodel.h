#pragma once
// The lesson 6 grid's model: the WordList as a table of number, word, tag, mark and
// translation. An empty list shows one blank row (a space in the mark column).
#include <QAbstractTableModel>

#include "vocabulary/wordlist.h"

namespace lx {

class WordListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kColumns = 5;

  // Follows every change of `list`, which outlives the model.
  explicit WordListModel(WordList& list, QObject* parent = nullptr);
  ~WordListModel() override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Re-reads the whole list (the grid refresh).
  void Refresh();

 private:
  WordList& list_;
  int subscription_ = 0;
  int shownRows_ = 0;
};

}  // namespace lx
