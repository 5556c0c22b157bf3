#include "Unit1.h"

#include <unistd.h>

#include <QCloseEvent>
#include <QFileInfo>
#include <cstdlib>
#include <ctime>

#include <QEvent>
#include <QPainter>
#include <QPixmap>

#include "audio/audio.h"
#include "centre.h"
#include "downloadpage.h"
#include "instancelock.h"
#include "text/icons.h"
#include "topwindows.h"

namespace lx {

namespace {
constexpr int kClientWidth = 452;
constexpr int kClientHeight = 459;
}  // namespace

TForm1::TForm1(DataDir dataDir, QWidget* parent) : QWidget(parent) {
  shared_.dataDir = std::move(dataDir);
  setObjectName("TForm1");
  setWindowTitle("Lexitar");
  setWindowFlags(Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0xEC, 0xE1, 0xD8));
  setPalette(pal);
  imageList1_ = {DrawIcon(Icon::SoundOff), DrawIcon(Icon::SoundOn)};
  BuildControls();
  FormCreate();
  UpdateAvailability();
}

void TForm1::FormCreate() {
  // 1. The drills draw their tasks from the clock-seeded generator.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  // 2. The audio output; without a sound card the layer falls back to a silent device.
  BASS_Init(1, 44100, 4, nullptr, nullptr);
  BASS_Start();
  sound_ = std::make_unique<SoundService>(shared_.soundIndex, shared_.dataDir, this);
  // 3. A second copy ends silently before anything is loaded.
  // The window rule sees only copies shown on this display; the lock beside the data
  // also sees one that is starting, minimised or without a display.
  instanceLock_ = std::make_unique<InstanceLock>(shared_.dataDir.Path("data\\.lexitar.lock"));
  if (instanceLock_->heldByAnother() ||
      AnotherInstanceRunning(ListTopLevelWindows(), "Lexitar", static_cast<uint32_t>(::getpid()))) {
    anotherInstance_ = true;
    return;
  }
  // 5. Fonts for the phonetic and lesson faces.
  fonts_.Register(shared_.dataDir);
  // 6-9. The shared tables; a failure skips the remaining steps.
  if (!LoadStartupTables(shared_)) return;
  slotsLoaded_ = true;
  // 10.
  lx::CentreOnScreen(*this);
  // 11.
  activationCheckArmed_ = true;
  // 12.
  WriteDownloadPage(shared_.dataDir);
  // The recordings are scanned in the background, so that no click waits for it.
  sound_->PrepareRecordings();
  startupComplete_ = true;
}

namespace {

const char* const kLessonLabels[7] = {
    "- произношение, звуки",      "- правила чтения",           "- английские части речи",
    "- простые предложения",      "- более сложные предложения", "- ваш словарный запас",
    "- практический тренинг",
};

// The banner across the top of the window.
QPixmap Banner(int width, int height) {
  QPixmap pix(width, height);
  QPainter p(&pix);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, QColor(0x3A, 0x5F, 0x8F));
  g.setColorAt(1, QColor(0x7F, 0xA6, 0xC9));
  p.fillRect(pix.rect(), g);
  p.setRenderHint(QPainter::Antialiasing);
  QFont title("Georgia", 34, QFont::Bold);
  p.setFont(title);
  p.setPen(QColor(0xFF, 0xF4, 0xE0));
  p.drawText(QRect(18, 8, width - 36, 56), Qt::AlignLeft | Qt::AlignVCenter, "Lexitar");
  QFont sub("Georgia", 11, QFont::Bold);
  p.setFont(sub);
  p.setPen(QColor(0xE8, 0xF0, 0xFF));
  p.drawText(QRect(20, 62, width - 40, 24), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("Английский язык для начинающих"));
  p.setPen(QPen(QColor(0xFF, 0xF4, 0xE0, 160), 2));
  p.drawLine(20, 90, width - 20, 90);
  return pix;
}

}  // namespace

QToolButton* TForm1::MakeButton(const char* name, const QString& caption, const QString& hint, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  if (!hint.isEmpty()) b->setToolTip(hint);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

void TForm1::BuildControls() {
  auto* banner = new QLabel(this);
  banner->setObjectName("Image1");
  banner->setGeometry(0, 0, kClientWidth, 100);
  banner->setPixmap(Banner(kClientWidth, 100));

  introButton_ = MakeButton("SpeedButton1", "Вступление", "Вводная часть", this);
  introButton_->setGeometry(14, 108, 120, 28);
  introButton_->setStyleSheet("QToolButton { color: #6A1B9A; font-weight: bold; }");
  connect(introButton_, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
  auto* version = new QLabel("v.", this);
  version->setObjectName("Label9");
  version->setGeometry(140, 112, 14, 20);
  auto* versionNumber = new QLabel("5.3", this);
  versionNumber->setObjectName("Label10");
  versionNumber->setGeometry(156, 112, 40, 20);

  auto* panel = new QWidget(this);
  panel->setObjectName("Panel1");
  panel->setGeometry(10, 142, kClientWidth - 20, 270);
  panel->setAutoFillBackground(true);
  QPalette pp = panel->palette();
  pp.setColor(QPalette::Window, QColor(0xDC, 0xE9, 0xE0));
  panel->setPalette(pp);

  const QString lessonStyle = "QToolButton { color: #C00000; font-weight: bold; } QToolButton:disabled { color: #B0A0A0; }";
  const QString infoStyle =
      "QToolButton { color: #008080; font-weight: bold; font-family: Georgia; } QToolButton:disabled { color: #A0B0B0; }";
  for (int i = 0; i < 7; ++i) {
    const int y = 8 + i * 32;
    const std::string lessonName = "SpeedButton" + std::to_string(2 + i);
    const std::string infoName = "SpeedButton" + std::to_string(10 + i);
    auto* lesson = MakeButton(lessonName.c_str(), QString("Урок %1").arg(i + 1), QString(), panel);
    lesson->setGeometry(8, y, 80, 26);
    lesson->setStyleSheet(lessonStyle);
    connect(lesson, &QToolButton::clicked, this, [this, i] { LessonClick(i + 1); });
    lessonButtons_[static_cast<size_t>(i)] = lesson;
    auto* info = MakeButton(infoName.c_str(), "Инфо", QString("Описание Урока №%1").arg(i + 1), panel);
    info->setGeometry(94, y, 54, 26);
    info->setStyleSheet(infoStyle);
    connect(info, &QToolButton::clicked, this, [this, i] { InfoClick(i + 1); });
    infoButtons_[static_cast<size_t>(i)] = info;
    auto* label = new QLabel(kLessonLabels[i], panel);
    label->setObjectName(QString("Label%1").arg(i + 1));
    label->setGeometry(156, y, 260, 26);
  }
  auto* readLabel = new QLabel("читайте вашу любимую книгу!", panel);
  readLabel->setObjectName("Label8");
  readLabel->setGeometry(156, 8 + 7 * 32, 200, 26);
  downloadButton_ = MakeButton("sBitBtn1", "скачать", QString(), panel);
  downloadButton_->setGeometry(panel->width() - 80, 8 + 7 * 32, 72, 26);
  downloadButton_->setStyleSheet("QToolButton { color: #205080; font-weight: bold; }");
  connect(downloadButton_, &QToolButton::clicked, this, &TForm1::sBitBtn1Click);

  auto* exitButton = MakeButton("SpeedButton9", "Выход", QString(), this);
  exitButton->setGeometry(kClientWidth - 104, kClientHeight - 38, 90, 28);
  exitButton->setStyleSheet("QToolButton { font-weight: bold; }");
  connect(exitButton, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
}

void TForm1::UpdateAvailability() {
  const QString soon = "Окно этого урока недоступно";
  const QString noPages = "Окно справки недоступно";
  for (size_t i = 0; i < 7; ++i) {
    const bool ready = static_cast<bool>(openLesson_[i]);
    lessonButtons_[i]->setEnabled(ready);
    lessonButtons_[i]->setToolTip(ready ? QString() : soon);
    infoButtons_[i]->setEnabled(static_cast<bool>(openPage_));
    infoButtons_[i]->setToolTip(openPage_ ? QString("Описание Урока №%1").arg(i + 1) : noPages);
  }
  introButton_->setEnabled(static_cast<bool>(openPage_));
  introButton_->setToolTip(openPage_ ? QString("Вводная часть") : noPages);
  downloadButton_->setEnabled(static_cast<bool>(openPage_));
}

void TForm1::SetPageOpener(std::function<void(const std::string&)> openPage) {
  openPage_ = std::move(openPage);
  UpdateAvailability();
}

void TForm1::SetLessonOpener(int lesson, std::function<void()> openLesson) {
  openLesson_.at(static_cast<size_t>(lesson - 1)) = std::move(openLesson);
  UpdateAvailability();
}

void TForm1::SpeedButton1Click() {
  if (openPage_) openPage_("data\\html\\intro.html");
}

void TForm1::InfoClick(int lesson) {
  if (openPage_) openPage_("data\\html\\les" + std::to_string(lesson) + ".html");
}

void TForm1::sBitBtn1Click() {
  if (openPage_) openPage_("data\\html\\download.html");
}

void TForm1::LessonClick(int lesson) {
  if (const auto& open = openLesson_.at(static_cast<size_t>(lesson - 1))) open();
}

void TForm1::SpeedButton9Click() { close(); }

void TForm1::FirstActivationCheck() {
  if (!activationCheckArmed_) return;
  activationCheckArmed_ = false;
  const QString first = introButton_->text(), second = lessonButtons_[0]->text();
  if ((first.startsWith('?') || second.startsWith('?')) && openPage_) openPage_("data\\html\\error01.html");
}

void TForm1::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FirstActivationCheck();
  QWidget::changeEvent(event);
}


void TForm1::OnShutdownGather(std::function<void(SettingsSlots&)> gather) { gatherers_.push_back(std::move(gather)); }
void TForm1::OnShutdownSave(std::function<void()> save) { savers_.push_back(std::move(save)); }
void TForm1::OnShutdownRelease(std::function<void()> release) { releasers_.push_back(std::move(release)); }

void TForm1::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  fonts_.Unregister();
  for (auto& gather : gatherers_) gather(shared_.settingsSlots);
  // Slots that were never read from an existing info.txt would overwrite the
  // learner's settings with empty lines; keep the file as it is then.
  if (slotsLoaded_ || !QFileInfo::exists(QString::fromStdString(shared_.dataDir.Path("data\\info.txt"))))
    SaveSettingsSlots(shared_);
  for (auto& save : savers_) save();
  for (auto& release : releasers_) release();
  // The learner's files are written: a copy started from now on may run.
  instanceLock_.reset();
}

void TForm1::closeEvent(QCloseEvent* event) {
  Shutdown();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace lx
