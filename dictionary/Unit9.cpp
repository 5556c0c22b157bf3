#include "dictionary/Unit9.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QScrollBar>
#include <limits>
#include <optional>

#include "app/centre.h"
#include "app/core/errors.h"
#include "app/core/foldcase.h"
#include "app/core/qtext.h"
#include "app/sound/soundservice.h"
#include "dictionary/lookup.h"
#include "text/icons.h"
#include "text/styletables.h"

namespace lx {
namespace {

constexpr int kTopRow = 4;
constexpr int kRowHeight = 25;
constexpr int kPaneTop = kTopRow + kRowHeight + 4;
constexpr int kWideLayout = 369;
constexpr size_t kSuggestionCount = 6;

// The tag table of the article markup: style code of a tag, -1 to close the line,
// -2 for a tag without effect.
int ArticleTagEffect(const std::string& tag) {
  static const char* const kClasses[] = {"nr", "ab", "na1", "ew", "li", "ul", "na0", "ps", "sy"};
  if (tag == "br") return -1;
  if (tag == "/span") return 0;
  static const std::string kSpan = "span class=";
  if (tag.compare(0, kSpan.size(), kSpan) == 0) {
    const std::string cls = tag.substr(kSpan.size());
    for (int i = 0; i < 9; ++i)
      if (cls == kClasses[i]) return i + 1;
  }
  return -2;
}

bool IsLatinLetter(char c) { return c >= 'a' && c <= 'z'; }

}  // namespace

Tform9::Tform9(DictionaryContext context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), context_(std::move(context)) {
  setObjectName("Tform9");
  setWindowTitle("Dictionary");
  BuildControls();
  FormCreate();
}

Tform9::~Tform9() = default;

void Tform9::BuildControls() {
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  connect(Edit1, &QLineEdit::returnPressed, this, [this] { LookUp(); });

  auto button = [this](const char* name, const QString& hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(20, 20));
    return b;
  };
  SpeedButton1 = button("SpeedButton1", "Перевести слово");
  SpeedButton1->setIcon(DrawIcon(Icon::Translate));
  SpeedButton2 = button("SpeedButton2", "Предыдущее слово");
  SpeedButton2->setText("назад");
  SpeedButton14 = button("SpeedButton14", "Озвучивание слов");
  SpeedButton14->setCheckable(true);
  SpeedButton25 = button("SpeedButton25", "Добавить слово в список Урока 6");
  SpeedButton25->setIcon(DrawIcon(Icon::AddToList));
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { Button1Click(); });
  connect(SpeedButton2, &QToolButton::clicked, this, [this] { Button2Click(); });
  connect(SpeedButton14, &QToolButton::clicked, this, [this] { SpeedButton14Click(); });
  connect(SpeedButton25, &QToolButton::clicked, this, [this] { SpeedButton25Click(); });

  RichEdit1 = new RichPane(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->viewport()->setCursor(Qt::PointingHandCursor);
  QFont base("MS Sans Serif");
  base.setPixelSize(13);
  base.setBold(true);
  RichEdit1->setFont(base);
  RichEdit1->document()->setDefaultFont(base);
  QPalette palette = RichEdit1->palette();
  palette.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, Qt::black);
  RichEdit1->setPalette(palette);
  RichEdit1->HideCaret();

  renderer_ = std::make_unique<MarkupRenderer>(*RichEdit1, styles::dictionary(), *context_.settings);
  PickHandlers own = PickerHandlers();
  own.dictionaryActive = [] { return true; };  // the pane takes the focus whenever the mouse is over it
  picker_ = new PanePicker(*RichEdit1, *context_.soundIndex, WordChars::Dictionary, std::move(own));
  picker_->SetRefocusAfterPick(true);
}

void Tform9::FormCreate() {
  const SettingsSlots& stored = *context_.settings;
  SpeedButton14->setChecked(stored.get(43) != "false");
  SpeedButton14Click();  // the picture of the state
  RichEdit1->SetFirstLineIndent(3);

  int left = 10, top = 30;
  int width = DefaultWidth();
  int height = DefaultHeight();
  // Each placement slot that holds a number overrides its default.
  auto override = [&](int slot, int& value) {
    if (stored.get(slot).empty()) return;
    try {
      value = StrToInt(stored.get(slot));
    } catch (const ConvertError&) {
      // A damaged slot keeps the default place rather than losing the window.
    }
  };
  override(15, left);
  override(16, top);
  override(17, width);
  override(18, height);
  // A hand-edited or foreign place never makes a window larger than the screen or
  // puts it out of reach.
  PlaceFromStored(*this, left, top, width, height);
  LayOut(this->width());

  SpeakOnLookup = true;
  LookupHistory.fill(std::string());
  Edit1->setText("english");
  if (stored.get(33) == "true") show();
}

void Tform9::LayOut(int width) {
  const bool wide = width >= kWideLayout;
  const int editWidth = wide ? 201 : width - 171;
  const int x1 = wide ? 208 : width - 164;
  const int x2 = wide ? 240 : width - 132;
  const int x14 = wide ? 304 : width - 68;
  const int x25 = wide ? 329 : width - 43;
  Edit1->setGeometry(4, kTopRow, std::max(editWidth, 20), kRowHeight);
  SpeedButton1->setGeometry(x1, kTopRow, 28, kRowHeight);
  SpeedButton2->setGeometry(x2, kTopRow, 60, kRowHeight);
  SpeedButton14->setGeometry(x14, kTopRow, 25, kRowHeight);
  SpeedButton25->setGeometry(x25, kTopRow, 28, kRowHeight);
  RichEdit1->setGeometry(0, kPaneTop, width, std::max(height() - kPaneTop, 10));
}

void Tform9::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOut(width());
}

void Tform9::closeEvent(QCloseEvent* event) {
  SetToggles(false);
  QWidget::closeEvent(event);
}

void Tform9::PushHistory(const std::string& query) {
  if (query == LookupHistory[0]) return;
  for (int k = kHistorySize - 1; k > 0; --k) LookupHistory[k] = LookupHistory[k - 1];
  LookupHistory[0] = query;
}

void Tform9::ShiftHistoryNewer() {
  for (int k = 0; k < kHistorySize - 1; ++k) LookupHistory[k] = LookupHistory[k + 1];
}

void Tform9::LookUp() {
  if (transcriptionLabel_) transcriptionLabel_->clear();
  renderer_->clear();
  const std::string typed = FromQ(Edit1->text());
  std::string key = typed;
  for (char& c : key)
    if (c == '_') c = ' ';
  if (key.empty()) return FinishLookup();
  PushHistory(typed);
  key = FoldLower(key);
  if (IsLatinLetter(key[0])) {
    // The sound follows the key as typed, not the headword found below.
    const int entry = context_.soundIndex->FindWord(key);
    if (entry > 0 && SpeakOnLookup && SpeedButton14->isChecked() && context_.sound)
      context_.sound->playnums(entry);
    ShowEnglishLookup(key);
  } else if (const auto j = FindHeadword(*context_.dict2Table, key)) {
    ShowRussian(*j);
  }
  FinishLookup();
}

void Tform9::ShowEnglishLookup(const std::string& key) {
  static const WordForms kNoForms;
  const EnglishLookup found =
      LookUpEnglish(*context_.dictTable, context_.wordForms ? *context_.wordForms : kNoForms, key);
  std::vector<std::string> suggestions;
  if (found.route == LookupRoute::NearMatch || found.route == LookupRoute::Unknown) {
    // Closest first, then the words the sound index ranks as more common.
    const SoundIndex* index = context_.soundIndex;
    if (!suggester_) suggester_ = std::make_unique<SpellingSuggester>(*context_.dictTable);
    suggestions = suggester_->Suggest(key, kSuggestionCount, [index](std::string_view word) {
      const int entry = index ? index->FindWord(word) : 0;
      return entry > 0 ? entry : std::numeric_limits<int>::max();
    });
  }
  const std::string note = LookupNoteMarkup(found, key, suggestions);
  if (found.entry) {
    const QString typed = Edit1->text();
    ShowEnglish(*found.entry, note);
    // An unknown word stays in the entry field as typed.
    if (found.route == LookupRoute::NearMatch) Edit1->setText(typed);
  } else if (!note.empty()) {
    RichEdit1->SelectRange(0, 0);
    RenderArticle(note);
  }
}

void Tform9::ShowEnglish(int entry, const std::string& note) {
  const tdict& record = context_.dictTable->record(entry);
  Edit1->setText(ToQ(record.headword));
  // A note (how the key led here) stands on lines of its own above the transcription.
  if (!note.empty()) RenderArticle(note);
  const int transcriptionStart = RichEdit1->TextLength();
  if (!record.transcription.empty()) {
    const QString bracketed = ToQ("[" + record.transcription + "]");
    RichEdit1->AppendToLastParagraph(bracketed);
    RichEdit1->SelectRange(transcriptionStart, RichEdit1->TextLength() - transcriptionStart);
    RichEdit1->SetSelectionFace("PhoneticTM");
    RichEdit1->SetSelectionColor(Qt::red);
    RichEdit1->SetSelectionSize(13);
    if (transcriptionLabel_) {
      QFont phonetic = transcriptionLabel_->font();
      phonetic.setFamily("PhoneticTM");
      transcriptionLabel_->setFont(phonetic);
      transcriptionLabel_->setText(bracketed);
    }
  }
  RichEdit1->SelectRange(0, 0);
  RenderArticle(record.article);
}

void Tform9::ShowRussian(int entry) {
  const tdict2& record = context_.dict2Table->record(entry);
  Edit1->setText(ToQ(record.headword));
  RichEdit1->SelectRange(0, 0);
  RenderArticle(record.article);
}

void Tform9::RenderArticle(const std::string& article) {
  RichEdit1->setVisible(false);
  std::optional<RichPane::Batch> batch(*RichEdit1);  // laid out once, at the end
  std::string pending;
  int style = 0;
  for (char c : article) {
    if (c == '<') {
      if (!pending.empty()) renderer_->putfrag(ToQ(pending), style);
      pending.clear();
    } else if (c == '>') {
      const int effect = ArticleTagEffect(FoldLower(pending));
      pending.clear();
      if (effect == -1)
        renderer_->putfragln(QString(), 0);
      else if (effect >= 0)
        style = effect;
    } else {
      pending += c;
    }
  }
  // Text after the last tag, inside or outside one, is not shown.
  batch.reset();
  RichEdit1->setVisible(true);
  RichEdit1->SetCaretOffset(0);
  RichEdit1->ScrollCaretIntoView();
  RichEdit1->verticalScrollBar()->setValue(0);
}

void Tform9::FinishLookup() {
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void Tform9::Button2Click() {
  if (LookupHistory[1].empty()) return;
  ShiftHistoryNewer();
  Edit1->setText(ToQ(LookupHistory[0]));
  ShiftHistoryNewer();
  LookUp();
  RichEdit1->setFocus();
}

void Tform9::SpeedButton14Click() {
  // The button has already switched its state; the picture follows it.
  SpeedButton14->setIcon(context_.soundPictures[SpeedButton14->isChecked() ? 1 : 0]);
}

void Tform9::SpeedButton25Click() {
  const std::string word = FromQ(Edit1->text());
  if (word.empty() || !context_.lesson6List) return;
  if (!context_.lesson6List->AppendWord(word)) return;
  const size_t entry = context_.lesson6List->count();
  for (const auto& added : wordAdded_) added(entry);
}

void Tform9::OnWordAdded(std::function<void(size_t)> added) { wordAdded_.push_back(std::move(added)); }

void Tform9::SetToggles(bool down) {
  for (const QPointer<QAbstractButton>& toggle : toggles_)
    if (toggle) toggle->setChecked(down);
}

void Tform9::EnrolToggle(QAbstractButton* toggle) {
  toggle->setCheckable(true);
  toggles_.emplace_back(toggle);
}

void Tform9::op9() {
  SetToggles(true);
  show();
  raise();
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void Tform9::cl9() {
  SetToggles(false);
  hide();
}

PickHandlers Tform9::PickerHandlers() {
  PickHandlers handlers;
  handlers.play = [this](int entry) {
    if (context_.sound) context_.sound->playnums(entry);
  };
  handlers.setEntry = [this](const std::string& key) { Edit1->setText(ToQ(key)); };
  handlers.lookUp = [this] { LookUp(); };
  handlers.dictionaryActive = [this] { return isActiveWindow(); };
  return handlers;
}

void Tform9::GatherSlots(SettingsSlots& stored) const {
  // The normal geometry, also when the window is minimised or maximised.
  const QRect normal = (isMinimized() || isMaximized()) ? normalGeometry() : geometry();
  const QRect frame = frameGeometry();
  const int left = (isMinimized() || isMaximized()) ? normal.x() : frame.x();
  const int top = (isMinimized() || isMaximized()) ? normal.y() : frame.y();
  // A value equal to its creation default is stored empty, so the default is kept
  // when the screen or the lesson 1 window changes.
  auto store = [&](int slot, int value, int defaultValue) {
    stored.set(slot, value == defaultValue ? std::string() : std::to_string(value));
  };
  store(15, left, 0);
  store(16, top, 0);
  store(17, normal.width(), DefaultWidth());
  store(18, normal.height(), DefaultHeight());
  stored.set(33, isVisible() ? "true" : "");
  stored.set(43, SpeedButton14->isChecked() ? "" : "false");
}

int Tform9::DefaultWidth() const {
  return context_.lesson1Left && *context_.lesson1Left > 300 ? *context_.lesson1Left : 300;
}

int Tform9::DefaultHeight() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return (screen ? screen->geometry().height() : 768) - 150;
}

}  // namespace lx
