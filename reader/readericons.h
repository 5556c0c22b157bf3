#pragma once
// The reader's button pictures, drawn in the course's palette.
#include <QPixmap>

namespace lx {

enum class ReaderIcon { Open, Save, Play, Stop, Back, Forward, Add, Remove, Path, DeletePoint,
                        BookmarkGo, BookmarkSet, Quick, Notes, SaveList };

QPixmap DrawReaderIcon(ReaderIcon icon, int size = 22);

}  // namespace lx
