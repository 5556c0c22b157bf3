#include "Unit1.h"

#include <unistd.h>

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <ctime>

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
  FormCreate();
}

void TForm1::FormCreate() {
  // 1. The drills draw their tasks from the clock-seeded generator.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  // 3. A second copy ends silently before anything is loaded.
  if (AnotherInstanceRunning(ListTopLevelWindows(), "Lexitar", static_cast<uint32_t>(::getpid()))) {
    anotherInstance_ = true;
    return;
  }
  // 5. Fonts for the phonetic and lesson faces.
  fonts_.Register(shared_.dataDir);
  // 6-9. The shared tables; a failure skips the remaining steps.
  if (!LoadStartupTables(shared_)) return;
  slotsLoaded_ = true;
  // 10.
  CentreOnScreen();
  startupComplete_ = true;
}

void TForm1::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect s = screen->geometry();
  move((s.width() - frameGeometry().width()) / 2, (s.height() - frameGeometry().height()) / 2);
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
}

void TForm1::closeEvent(QCloseEvent* event) {
  Shutdown();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace lx
