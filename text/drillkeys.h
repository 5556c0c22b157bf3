#pragma once
// The two keys of every drill: z for the next task, x for the answer or the sound,
// and я and ч, which lie on the same keys of a Russian layout, in either case.
#include <QKeyEvent>

namespace lx {

enum class DrillKey { None, Next, Answer };

DrillKey DrillKeyOf(const QKeyEvent& event);

}  // namespace lx
