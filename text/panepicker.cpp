#include "text/panepicker.h"

#include <QMouseEvent>
#include <QTextCursor>

#include "app/core/qtext.h"

namespace lx {

PanePicker::PanePicker(RichPane& pane, const SoundIndex& index, WordChars chars, PickHandlers handlers)
    : QObject(&pane), pane_(pane), viewport_(pane.viewport()), index_(index), chars_(chars),
      handlers_(std::move(handlers)) {
  viewport_->installEventFilter(this);
  viewport_->setMouseTracking(true);
  pane_.setContextMenuPolicy(Qt::NoContextMenu);
}

bool PanePicker::eventFilter(QObject* watched, QEvent* event) {
  // Compared with the stored pointer: events still arrive while the pane is being destroyed.
  if (watched != viewport_) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    // The press reaches us before the pane moves its caret: place it at the
    // character boundary nearest to the pointer first, as every button does.
    auto* press = static_cast<QMouseEvent*>(event);
    pane_.setTextCursor(pane_.cursorForPosition(press->position().toPoint()));
    PickAtCaret();
    return press->button() != Qt::LeftButton;  // the pane's own handling of other buttons is not wanted
  }
  if (event->type() == QEvent::MouseMove) MouseMoved();
  return false;
}

void PanePicker::PickAtCaret() {
  if (!keepCaret_) pane_.HideCaret();
  const std::string line = FromQ(pane_.LineText(pane_.CaretLine()));
  const PickedWord picked = PickWordAt(line, pane_.CaretColumn(), chars_);
  const PickAction action = ResolvePick(picked, index_);
  if (action.lookUp) {
    if (handlers_.setEntry) handlers_.setEntry(action.key);
    if (handlers_.beforeLookUp) handlers_.beforeLookUp(action.key, pane_.CaretOffset());
    if (handlers_.lookUp) handlers_.lookUp();
  }
  if (action.soundEntry > 0 && handlers_.play) handlers_.play(action.soundEntry);
  if (refocus_) pane_.setFocus();
}

void PanePicker::MouseMoved() {
  if (handlers_.dictionaryActive && handlers_.dictionaryActive() && !pane_.hasFocus()) {
    pane_.activateWindow();
    pane_.setFocus();
  }
  if (!keepCaret_) pane_.HideCaret();
}

}  // namespace lx
