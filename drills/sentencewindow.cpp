#include "drills/sentencewindow.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <chrono>

#include "app/centre.h"
#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "text/drillkeys.h"
#include "dictionary/Unit9.h"
#include "lessons/framebutton.h"
#include "text/Unit21.h"
#include "text/icons.h"

namespace lx {
namespace {

constexpr int kWidth = 700;
constexpr int kMargin = 12;
constexpr int kLabelStep = 20;
constexpr int kPaneHeight = 230;
constexpr int kButtonHeight = 30;
constexpr int kIconButton = 33;
const QColor kPurple(0x80, 0x00, 0x80);

FrameButton* MakeButton(QWidget* parent, const char* name, const QString& caption, Icon icon, const QString& hint) {
  auto* button = new FrameButton(caption, DrawIcon(icon, caption.isEmpty() ? 24 : 20), kPurple, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  if (!caption.isEmpty()) button->SetIconMargin(6);
  return button;
}

}  // namespace

SentenceWindow::SentenceWindow(SentenceWindowLayout layout, const LessonContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      layout_(std::move(layout)),
      settings_(context.settings),
      dictionary_(context.dictionary),
      generator_(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count())) {
  setObjectName(layout_.objectName);
  setWindowTitle(layout_.caption);
  BuildControls();
  static const SettingsSlots kNoSettings;
  renderer_ = std::make_unique<MarkupRenderer>(*RichEdit1, *layout_.styles, settings_ ? *settings_ : kNoSettings);
  static const SoundIndex kNoSounds;
  picker_ = new PanePicker(*RichEdit1, context.soundIndex ? *context.soundIndex : kNoSounds, WordChars::Standard,
                           context.pickHandlers);
  if (dictionary_) dictionary_->EnrolToggle(SpeedButton41);
  SpeedButton41->setEnabled(dictionary_ != nullptr);
  if (context.help) context.help->RegisterCaretPane(RichEdit1);
  if (settings_ && settings_->get(33) == "true") SpeedButton41->setChecked(true);
  SetBackground(settings_ ? *settings_ : kNoSettings);
  CentreOnScreen(*this);

  tables_ = LoadDrillTables(context.dataDir.Path("data\\noun.txt"), context.dataDir.Path("data\\verb.txt"));
  if (!tables_.problems.empty()) {
    QStringList lines;
    for (const std::string& p : tables_.problems) lines << ToQ(p);
    ReportTextError(lines.join('\n'));
  }
}

SentenceWindow::~SentenceWindow() = default;

void SentenceWindow::BuildControls() {
  int y = kMargin;
  QFont labelFont("DejaVu Sans", 9);
  for (const QString& line : layout_.instructions) {
    auto* label = new QLabel(line, this);
    label->setObjectName(QString("Label%1").arg(Labels.size() + 1));
    label->setFont(labelFont);
    label->setGeometry(kMargin, y, kWidth - 2 * kMargin, kLabelStep);
    Labels.push_back(label);
    y += kLabelStep;
  }
  y += 6;

  RichEdit1 = new RichPane(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RichEdit1->viewport()->setCursor(Qt::PointingHandCursor);
  QFont face("Georgia", MarkupRenderer::kDefaultBaseSize);
  face.setBold(true);
  RichEdit1->setFont(face);
  RichEdit1->document()->setDefaultFont(face);
  RichEdit1->SetFirstLineIndent(20);
  RichEdit1->setGeometry(kMargin, y, kWidth - 2 * kMargin, kPaneHeight);
  RichEdit1->installEventFilter(this);
  RichEdit1->HideCaret();
  y += kPaneHeight + 8;

  SpeedButton1 = MakeButton(this, "SpeedButton1", "Дальше...", Icon::Topic, "Следующее задание (клавиша \"z\")");
  SpeedButton1->setGeometry(kMargin, y + 1, 130, kButtonHeight);
  SpeedButton2 = MakeButton(this, "SpeedButton2", "Ответ", Icon::Lesson, "Правильный ответ (клавиша \"x\")");
  SpeedButton2->setGeometry(kMargin + 140, y + 1, 110, kButtonHeight);
  SpeedButton41 = MakeButton(this, "SpeedButton41", QString(), Icon::Dictionary, "Окно словаря");
  SpeedButton41->setCheckable(true);
  SpeedButton41->setGeometry(kWidth - kMargin - 2 * kIconButton - 4, y, kIconButton, kIconButton);
  SpeedButton4 = MakeButton(this, "SpeedButton4", QString(), Icon::Close, layout_.closeHint);
  SpeedButton4->setGeometry(kWidth - kMargin - kIconButton, y, kIconButton, kIconButton);
  connect(SpeedButton1, &QToolButton::clicked, this, &SentenceWindow::Button1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &SentenceWindow::Button2Click);
  connect(SpeedButton41, &QToolButton::clicked, this, &SentenceWindow::SpeedButton41Click);
  connect(SpeedButton4, &QToolButton::clicked, this, &SentenceWindow::SpeedButton4Click);
  setFixedSize(kWidth, y + kIconButton + kMargin);
}

RandomSource SentenceWindow::ClockRandom() {
  return [this](int32_t m) { return std::uniform_int_distribution<int32_t>(0, m - 1)(generator_); };
}

void SentenceWindow::Write(const std::vector<Fragment>& lines) {
  for (const Fragment& f : lines) {
    if (f.endsLine) renderer_->putfragln(ToQ(f.text), f.code);
    else renderer_->putfrag(ToQ(f.text), f.code);
  }
}

void SentenceWindow::Button1Click() {
  RichEdit1->hide();
  renderer_->clear();
  Write(NextLines());
  RichEdit1->show();
  AfterWriting();
}

void SentenceWindow::Button2Click() {
  const std::vector<Fragment> lines = AnswerLines();
  if (lines.empty()) return;
  Write(lines);
  AfterWriting();
}

void SentenceWindow::AfterWriting() {
  RichEdit1->SetCaretOffset(RichEdit1->TextLength());
  RichEdit1->ScrollCaretIntoView();
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void SentenceWindow::SpeedButton41Click() {
  if (!dictionary_) return;
  if (SpeedButton41->isChecked()) dictionary_->op9();
  else dictionary_->cl9();
}

void SentenceWindow::SetBackground(const SettingsSlots& settings) {
  SetPaneBackground(*RichEdit1, settings, kBackgroundSlot, kDefaultBackgroundRgb);
}

void SentenceWindow::ApplySettings(const SettingsSlots& settings) { SetBackground(settings); }

bool SentenceWindow::DrillKey(const QKeyEvent& event) {
  switch (DrillKeyOf(event)) {
    case lx::DrillKey::Next: Button1Click(); return true;
    case lx::DrillKey::Answer: Button2Click(); return true;
    default: return false;
  }
}

void SentenceWindow::keyPressEvent(QKeyEvent* event) {
  if (!DrillKey(*event)) QWidget::keyPressEvent(event);
}

bool SentenceWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == RichEdit1 && event->type() == QEvent::KeyPress)
    return DrillKey(*static_cast<QKeyEvent*>(event));
  return QWidget::eventFilter(watched, event);
}

}  // namespace lx
