#include "drills/Unit11.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <chrono>
#include <random>

#include "app/centre.h"
#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "text/drillkeys.h"
#include "dictionary/Unit9.h"
#include "lessons/framebutton.h"
#include "text/Unit21.h"
#include "text/icons.h"
#include "text/styletables.h"

namespace lx {
namespace {

struct KindControl {
  const char* name;
  DrillKind kind;
  const char* caption;
  const char* instruction;
};

const std::array<KindControl, 6> kKinds{{
    {"RadioButton1", DrillKind::WordFormation, "Образование частей речи",
     "Попробуйте угадать часть речи слова и способ его образования (z - дальше, x - ответ)."},
    {"RadioButton2", DrillKind::Numerals, "Числительное",
     "Попробуйте понять о каком числе идет речь (z - дальше, x - ответ)."},
    {"RadioButton3", DrillKind::Degrees, "Формы прилагательных и наречий",
     "Нужно знать правила построения форм степеней сравнения (z - дальше, x - ответ)."},
    {"RadioButton4", DrillKind::Pronouns, "Местоимения",
     "Вы должны хорошо знать местоимения (z - дальше, x - ответ)."},
    {"RadioButton5", DrillKind::IrregularVerbs, "Неправильные глаголы",
     "Вы должны знать неправильные глаголы во всех формах (z - дальше, x - ответ)."},
    {"RadioButton6", DrillKind::Connectors, "Предлоги и союзы",
     "Вы должны хорошо знать предлоги и союзы (z - дальше, x - ответ)."},
}};

const QColor kPanelColour(220, 249, 216);  // the lesson windows' panel
const QColor kPurple(0x80, 0x00, 0x80);
const QColor kNavy(0x00, 0x00, 0x80);
constexpr int kMargin = 8;
constexpr int kPaneWidth = 280;
constexpr int kColumnLeft = kMargin + kPaneWidth + 8;
constexpr int kColumnWidth = Tform11::kClientWidth - kColumnLeft - kMargin;
constexpr int kIconButton = 33;

RandomSource ClockSeededRandom() {
  auto generator = std::make_shared<std::mt19937>(
      static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
  return [generator](int32_t m) {
    if (m <= 1) return int32_t{0};
    return std::uniform_int_distribution<int32_t>(0, m - 1)(*generator);
  };
}

FrameButton* MakeButton(QWidget* parent, const char* name, const QString& caption, Icon icon, const QString& hint) {
  auto* button = new FrameButton(caption, DrawIcon(icon, caption.isEmpty() ? 24 : 20), kPurple, parent);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

Tform11::Tform11(Practice3Context context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      context_(std::move(context)) {
  setObjectName("form11");
  setWindowTitle("Practice 3");
  setFixedSize(kClientWidth, kClientHeight);
  BuildControls();
  static const SettingsSlots kNoSettings;
  renderer_ = std::make_unique<MarkupRenderer>(*RichEdit1, styles::practice3(),
                                               context_.settings ? *context_.settings : kNoSettings);
  static const SoundIndex kNoSounds;
  picker_ = new PanePicker(*RichEdit1, context_.soundIndex ? *context_.soundIndex : kNoSounds, WordChars::Standard,
                           context_.pickHandlers);
  SelectKind(DrillKind::WordFormation);
  FormCreate();
}

Tform11::~Tform11() = default;

void Tform11::BuildControls() {
  setAutoFillBackground(true);
  QPalette window = palette();
  window.setColor(QPalette::Window, kPanelColour);
  setPalette(window);

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setGeometry(kMargin, 4, kClientWidth - 2 * kMargin, 40);
  QFont labelFont = Label1->font();
  labelFont.setBold(true);
  Label1->setFont(labelFont);
  QPalette label = Label1->palette();
  label.setColor(QPalette::WindowText, kNavy);
  Label1->setPalette(label);

  RichEdit1 = new RichPane(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RichEdit1->viewport()->setCursor(Qt::PointingHandCursor);
  QFont face("Georgia", 10);
  face.setBold(true);
  RichEdit1->setFont(face);
  RichEdit1->document()->setDefaultFont(face);
  RichEdit1->setGeometry(kMargin, 48, kPaneWidth, kClientHeight - 48 - kMargin);
  RichEdit1->installEventFilter(this);

  auto* kinds = new QFrame(this);
  kinds->setObjectName("Panel1");
  kinds->setFrameShape(QFrame::StyledPanel);
  kinds->setGeometry(kColumnLeft, 48, kColumnWidth, 6 * 26 + 10);
  for (size_t i = 0; i < kKinds.size(); ++i) {
    auto* radio = new QRadioButton(QString::fromUtf8(kKinds[i].caption), kinds);
    radio->setObjectName(kKinds[i].name);
    radio->setGeometry(6, 6 + static_cast<int>(i) * 26, kColumnWidth - 10, 24);
    radio->installEventFilter(this);
    const DrillKind kind = kKinds[i].kind;
    // Keyboard moves between the buttons check them too: act on every check.
    connect(radio, &QRadioButton::toggled, this, [this, kind](bool on) {
      if (on) SelectKind(kind);
    });
    RadioButtons[i] = radio;
  }

  const int buttonsTop = 48 + 6 * 26 + 22;
  const int buttonWidth = (kColumnWidth - 6) / 2;
  SpeedButton1 = MakeButton(this, "SpeedButton1", "Дальше...", Icon::Topic, "Следующее задание (клавиша \"z\")");
  SpeedButton1->setGeometry(kColumnLeft, buttonsTop, buttonWidth, 30);
  SpeedButton2 = MakeButton(this, "SpeedButton2", "Ответ", Icon::Lesson, "Правильный ответ (клавиша \"x\")");
  SpeedButton2->setGeometry(kColumnLeft + buttonWidth + 6, buttonsTop, buttonWidth, 30);
  connect(SpeedButton1, &QToolButton::clicked, this, &Tform11::Button1Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &Tform11::Button2Click);

  const int iconsTop = kClientHeight - kMargin - kIconButton;
  SpeedButton41 = MakeButton(this, "SpeedButton41", QString(), Icon::Dictionary, "Окно словаря");
  SpeedButton41->setGeometry(kColumnLeft, iconsTop, kIconButton, kIconButton);
  SpeedButton41->setCheckable(true);
  SpeedButton41->setEnabled(context_.dictionary != nullptr);
  connect(SpeedButton41, &QToolButton::clicked, this, &Tform11::SpeedButton41Click);
  SpeedButton4 = MakeButton(this, "SpeedButton4", QString(), Icon::Close, "Закрыть упражнение урока 3");
  SpeedButton4->setGeometry(kClientWidth - kMargin - kIconButton, iconsTop, kIconButton, kIconButton);
  connect(SpeedButton4, &QToolButton::clicked, this, &Tform11::SpeedButton4Click);

  if (context_.dictionary) context_.dictionary->EnrolToggle(SpeedButton41);
  if (context_.help) context_.help->RegisterCaretPane(RichEdit1);
}

void Tform11::FormCreate() {
  random_ = ClockSeededRandom();
  try {
    LoadPractice3Data(context_.dataDir, data_);
  } catch (const FileError& e) {
    // Creation stops here: the tables read so far stay and the window still works.
    ReportTextError(ToQ(e.what()));
    return;
  }
  CentreOnScreen(*this);
  if (context_.settings && context_.settings->get(33) == "true") SpeedButton41->setChecked(true);
  SetBackground(context_.settings ? *context_.settings : SettingsSlots());
  RichEdit1->SetFirstLineIndent(20);
}

void Tform11::SetBackground(const SettingsSlots& settings) {
  SetPaneBackground(*RichEdit1, settings, 2, kDefaultBackgroundRgb);
}

void Tform11::ApplySettings(const SettingsSlots& settings) { SetBackground(settings); }

void Tform11::Write(const std::vector<Fragment>& fragments) {
  for (const Fragment& f : fragments) {
    if (f.endsLine) renderer_->putfragln(ToQ(f.text), f.code);
    else renderer_->putfrag(ToQ(f.text), f.code);
  }
}

void Tform11::ShowPaneAndHideCaret() {
  RichEdit1->show();
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void Tform11::Button1Click() {
  RichEdit1->hide();
  renderer_->clear();
  Write(drill_.Next(random_));
  ShowPaneAndHideCaret();
}

void Tform11::Button2Click() {
  if (!drill_.answerPending()) return;
  Write(drill_.Answer());
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void Tform11::SelectKind(DrillKind kind) {
  QRadioButton* radio = RadioButtons[static_cast<size_t>(kind) - 1];
  if (!radio->isChecked()) {
    radio->setChecked(true);  // its toggle comes back here
    return;
  }
  drill_.SetKind(kind);
  renderer_->clear();
  for (const KindControl& k : kKinds)
    if (k.kind == kind) Label1->setText(QString::fromUtf8(k.instruction));
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void Tform11::SpeedButton41Click() {
  if (!context_.dictionary) return;
  if (SpeedButton41->isChecked()) context_.dictionary->op9();
  else context_.dictionary->cl9();
}

void Tform11::SpeedButton4Click() { close(); }

bool Tform11::DrillKey(const QKeyEvent& event) {
  switch (DrillKeyOf(event)) {
    case lx::DrillKey::Next: Button1Click(); return true;
    case lx::DrillKey::Answer: Button2Click(); return true;
    default: return false;
  }
}

void Tform11::keyPressEvent(QKeyEvent* event) {
  if (!DrillKey(*event)) QWidget::keyPressEvent(event);
}

bool Tform11::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && (watched == RichEdit1 || qobject_cast<QRadioButton*>(watched)))
    return DrillKey(*static_cast<QKeyEvent*>(event));
  return QWidget::eventFilter(watched, event);
}

}  // namespace lx
