#include "drills/worddrillwindow.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>

#include "app/centre.h"
#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "text/drillkeys.h"
#include "app/sound/soundservice.h"
#include "dictionary/Unit9.h"
#include "lessons/framebutton.h"
#include "text/icons.h"

namespace lx {
namespace {

constexpr int kTopPanel = 48;
constexpr int kBottomPanel = 50;
constexpr int kButtonTop = 8;
constexpr int kHiddenButtonTop = 100;
const QColor kLabelColour(2, 48, 68);    // stored 4468738
const QColor kPanelColour(236, 249, 216);  // stored 14219756
const QColor kPurple(0x80, 0x00, 0x80);
const QColor kWordColour(0, 0, 255);
const QColor kTranscriptionColour(255, 0, 0);

QWidget* MakePanel(QWidget* parent, const char* name, QRect geometry) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(name);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, kPanelColour);
  panel->setPalette(palette);
  panel->setGeometry(geometry);
  return panel;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, kLabelColour);
  label->setPalette(palette);
  // Condensed, so the longer instruction line fits the narrow window.
  QFont font("DejaVu Sans", 8);
  font.setStretch(QFont::Condensed);
  label->setFont(font);
  label->setGeometry(8, y, parent->width() - 16, 18);
  return label;
}

FrameButton* MakeButton(QWidget* parent, const char* name, const QString& caption, Icon icon, const QString& hint) {
  auto* button = new FrameButton(caption, DrawIcon(icon, caption.isEmpty() ? 24 : 18), kPurple, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  if (!caption.isEmpty()) button->SetIconMargin(4);
  return button;
}

QFont WordFont() {
  QFont font("MS Sans Serif");
  font.setPointSize(15);
  return font;
}

QFont TranscriptionFont() {
  QFont font("PhoneticTM");
  font.setPointSize(15);
  return font;
}

}  // namespace

const SoundIndex& SoundIndexOf(const LessonContext& context) {
  static const SoundIndex kNoSounds;
  return context.soundIndex ? *context.soundIndex : kNoSounds;
}

DrillPicture::DrillPicture(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
}

void DrillPicture::resizeEvent(QResizeEvent*) {
  if (image_.size() == size()) return;
  image_ = QImage(size(), QImage::Format_RGB32);
  Clear(background_);
}

void DrillPicture::Clear(const QColor& background) {
  background_ = background;
  texts_.clear();
  if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(background);
  QPainter painter(&image_);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, image_.width() - 1, image_.height() - 1);
  update();
}

void DrillPicture::DrawText(const QString& text, QPoint at, const QFont& font, const QColor& colour) {
  if (text.isEmpty()) return;
  QPainter painter(&image_);
  painter.setFont(font);
  painter.setPen(colour);
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(background_);
  // `at` is the top left corner of the text.
  painter.drawText(at.x(), at.y() + painter.fontMetrics().ascent(), text);
  texts_.push_back({text, at, colour});
  update();
}

void DrillPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

WordDrillWindow::WordDrillWindow(WordDrillLayout layout, const LessonContext& context, SoundService* sound,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      layout_(std::move(layout)),
      settings_(context.settings),
      dataDir_(context.dataDir),
      dictionary_(context.dictionary),
      sound_(sound) {
  setObjectName(layout_.objectName);
  setWindowTitle(layout_.caption);
  setFixedSize(layout_.width, kHeight);
  BuildControls();
  ClearPicture();
  CentreOnScreen(*this);
}

WordDrillWindow::~WordDrillWindow() = default;

void WordDrillWindow::BuildControls() {
  const int width = layout_.width;
  Panel1 = MakePanel(this, "Panel1", QRect(0, 0, width, kTopPanel));
  Label1 = MakeLabel(Panel1, "Label1", layout_.instruction1, 6);
  Label2 = MakeLabel(Panel1, "Label2", layout_.instruction2, 24);
  Image1 = new DrillPicture(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(0, kTopPanel, width, kHeight - kTopPanel - kBottomPanel);
  Panel2 = MakePanel(this, "Panel2", QRect(0, kHeight - kBottomPanel, width, kBottomPanel));

  SpeedButton2 = MakeButton(Panel2, "SpeedButton2", "Дальше...", Icon::Topic, layout_.nextHint);
  SpeedButton2->setGeometry(8, kButtonTop, 100, 33);
  SpeedButton3 = MakeButton(Panel2, "SpeedButton3", "Звучание", Icon::Lesson, "Озвучить слово (клавиша \"x\")");
  SpeedButton3->setGeometry(114, kButtonTop, 100, 33);
  connect(SpeedButton2, &QToolButton::clicked, this, &WordDrillWindow::Button1Click);
  connect(SpeedButton3, &QToolButton::clicked, this, &WordDrillWindow::Button2Click);
  if (layout_.writingButton) {
    SpeedButton4 =
        MakeButton(Panel2, "SpeedButton4", "Написание", Icon::Lesson, "Показать написание слова (клавиша \"x\")");
    SpeedButton4->setGeometry(114, kHiddenButtonTop, 100, 33);
    SpeedButton4->hide();
    connect(SpeedButton4, &QToolButton::clicked, this, &WordDrillWindow::Button2Click);
  }

  RadioButton1 = new QRadioButton(layout_.mode1, Panel2);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton1->setGeometry(222, 6, 120, 18);
  RadioButton1->setChecked(true);
  RadioButton2 = new QRadioButton(layout_.mode2, Panel2);
  RadioButton2->setObjectName("RadioButton2");
  RadioButton2->setGeometry(222, 26, 120, 18);
  for (QRadioButton* radio : {RadioButton1, RadioButton2}) {
    radio->setFocusPolicy(Qt::StrongFocus);
    radio->installEventFilter(this);
  }
  setFocusProxy(RadioButton1);

  SpeedButton1 = MakeButton(Panel2, "SpeedButton1", QString(), Icon::Close, layout_.closeHint);
  SpeedButton1->setGeometry(width - 41, kButtonTop, 33, 33);
  connect(SpeedButton1, &QToolButton::clicked, this, &WordDrillWindow::Button3Click);
}

void WordDrillWindow::ClearPicture() {
  uint32_t rgb = kDefaultBackgroundRgb;
  if (settings_) {
    try {
      rgb = settings_->RgbOr(kBackgroundSlot, kDefaultBackgroundRgb);
    } catch (const ConvertError&) {
      // The settings window stores only numbers; a damaged slot keeps white.
    }
  }
  Image1->Clear(QColor::fromRgb(rgb));
}

void WordDrillWindow::Button1Click() { Carry(NextStep(*random_)); }

void WordDrillWindow::Button2Click() { Carry(AnswerStep()); }

void WordDrillWindow::Carry(const DrillStep& step) {
  if (step.clearPicture) ClearPicture();
  Image1->DrawText(ToQ(step.word), kWordAt, WordFont(), kWordColour);
  Image1->DrawText(ToQ(step.transcription), kTranscriptionAt, TranscriptionFont(), kTranscriptionColour);
  if (!step.sound.file.empty() && sound_)
    sound_->playsounds(dataDir_.Path("data\\" + step.sound.file), step.sound.from, step.sound.to);
  if (!step.lookUp.empty() && dictionary_) {
    // A silent lookup shows the article without pronouncing the word again.
    if (!step.lookUpSpeaks) dictionary_->SpeakOnLookup = false;
    dictionary_->Edit1->setText(ToQ(step.lookUp));
    dictionary_->LookUp();
    dictionary_->SpeakOnLookup = true;
  }
}

bool WordDrillWindow::DrillKey(const QKeyEvent& event) {
  switch (DrillKeyOf(event)) {
    case lx::DrillKey::Next: Button1Click(); return true;
    case lx::DrillKey::Answer: Button2Click(); return true;
    default: return false;
  }
}

bool WordDrillWindow::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == RadioButton1 || watched == RadioButton2) && event->type() == QEvent::KeyPress)
    return DrillKey(*static_cast<QKeyEvent*>(event));
  return QWidget::eventFilter(watched, event);
}

void WordDrillWindow::keyPressEvent(QKeyEvent* event) {
  if (!DrillKey(*event)) QWidget::keyPressEvent(event);
}

}  // namespace lx
