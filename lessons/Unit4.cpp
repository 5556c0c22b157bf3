#include "lessons/Unit4.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <cstdio>

#include "app/centre.h"
#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "lessons/framebutton.h"
#include "text/icons.h"
#include "text/picturetable.h"

namespace lx {
namespace {

const QColor kPurple(0x80, 0x00, 0x80);
const QColor kRightPanel(232, 232, 240);    // stored 15788264
const QColor kSymbolInk(223, 0, 0);         // stored 223
const QColor kSymbolPaper(223, 239, 255);   // stored 16773087
const QColor kCaptionInk(255, 128, 0);      // stored 33023
const QColor kCaptionPaper(186, 205, 205);  // stored 13487546
const QColor kSoundButtonInk(0x20, 0x30, 0x60);
const QPoint kCaptionAt(10, 190);
constexpr int kSymbolBoxTop = 81;
constexpr int kSymbolOffset = 318;  // from the strip's right edge
constexpr int kSymbolTop = 112;
constexpr int kPictureTop = 3;
constexpr int kMargin = 8;
constexpr int kIconButton = 33;
constexpr int kSoundWidth = 57, kSoundHeight = 41, kSoundStepX = 64, kSoundStepY = 48, kGridTop = 40;
constexpr int kNoteSize = 14;

LessonLayout Layout() {
  LessonLayout l;
  l.objectName = "form4";
  l.caption = "Lexitar - Lesson 1";
  l.size = QSize(793, 577);
  l.descriptionCaption = "Урок 1";
  l.descriptionHint = "Описание Урока 1";
  l.exercisesHint = "Упражнения Урока 1";
  l.closeName = "SpeedButton95";
  l.closeHint = "Закрыть Урок 1";
  l.helpPage = "data\\html\\les1_.html";
  l.textFolder = "data\\texts\\les1";
  l.styles = &styles::lesson1();
  l.pictures = &pictures::lesson1();
  l.panelWidth = Tform4::kPanelWidth;
  l.descriptionName = "SpeedButton42";
  l.exercisesName = "SpeedButton88";
  l.helpName = "SpeedButton96";
  l.dictionaryName = "SpeedButton97";
  l.settingsName = "SpeedButton98";
  l.rerenderDescription = true;
  return l;
}

// The symbol of a code without its brackets, for the sound buttons.
QString SymbolOf(const char* code) {
  QString s = ToQ(std::string(code));
  if (s.startsWith('[')) s.remove(0, 1);
  if (s.endsWith(']')) s.chop(1);
  return s;
}

QPixmap SymbolPicture(const QString& symbol) {
  QPixmap picture(kSoundWidth - 6, kSoundHeight - 6);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont font("PhoneticTM");
  font.setPixelSize(25);
  font.setBold(true);
  p.setFont(font);
  p.setPen(kSoundButtonInk);
  p.drawText(picture.rect(), Qt::AlignCenter, symbol);
  return picture;
}

QFont SymbolFont() {
  QFont font("PhoneticTM");
  font.setPointSize(30);
  font.setBold(true);
  return font;
}

QFont CaptionFont() {
  QFont font("Georgia");
  font.setPointSize(12);
  font.setBold(true);
  return font;
}

}  // namespace

Tform4::Tform4(LessonContext context, QWidget* parent) : LessonFrame(Layout(), std::move(context), parent) {
  // Precise timers: a coarse one may fire a little early and cut the pause short.
  for (QTimer* timer : {&startTimer_, &pauseTimer_}) {
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
  }
  connect(&startTimer_, &QTimer::timeout, this, &Tform4::StartSound);
  connect(&pauseTimer_, &QTimer::timeout, this, &Tform4::ShowDuringPictures);
  BuildLessonControls();
  FormResize();
}

QPoint Tform4::CreatedPlace() { return CentredPlace(Layout().size); }

void Tform4::BuildLessonControls() {
  Panel2 = new QWidget(this);
  Panel2->setObjectName("Panel2");
  Panel2->setAutoFillBackground(true);
  QPalette palette = Panel2->palette();
  palette.setColor(QPalette::Window, kRightPanel);
  Panel2->setPalette(palette);
  RichEdit1->setParent(Panel2);
  RichEdit1->show();
  PaintBox1 = new SoundStrip(kRightPanel, Panel2);
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->SetRepaint([this] { PaintBox1Paint(); });

  // Top row: description, alphabet, exercises.
  SpeedButton1->setGeometry(kMargin, kMargin, 89, 25);
  auto* alphabet = new FrameButton("Алфавит", DrawIcon(Icon::Alphabet, 20), kPurple, Panel1);
  alphabet->setObjectName("SpeedButton90");
  alphabet->setToolTip("Окно латинского алфавита");
  alphabet->SetIconMargin(3);
  alphabet->setGeometry(kMargin + 92, kMargin, 100, 25);
  SpeedButton90 = alphabet;
  connect(SpeedButton90, &QToolButton::clicked, this, &Tform4::SpeedButton44Click);
  SpeedButton4->setGeometry(kMargin + 195, kMargin, 118, 25);
  SetAlphabetWindow(nullptr);

  for (const Phoneme& row : PhonemeTable::Rows()) {
    auto* button = new FrameButton(QString(), SymbolPicture(SymbolOf(row.code)), QColor(), Panel1);
    button->setObjectName(row.button);
    button->setAccessibleName(ToQ(std::string(row.code)));
    button->setGeometry(kMargin + kSoundStepX * row.column(), kGridTop + kSoundStepY * row.row(), kSoundWidth,
                        kSoundHeight);
    const int number = row.number;
    connect(button, &QToolButton::clicked, this, [this, number] { SoundClick(number); });
    soundButtons_[static_cast<size_t>(number - 1)] = button;
  }

  // Help, dictionary, settings and close, one above the other, under the last
  // column's four sounds and ending with the grid's last row.
  const int x = kMargin + kSoundStepX * 4 + (kSoundWidth - kIconButton) / 2;
  const int bottom = kGridTop + kSoundStepY * 9 + kSoundHeight;
  int y = bottom - 4 * kIconButton - 3 * 5;
  for (QToolButton* b : {SpeedButton40, SpeedButton41, SpeedButton42, CloseButton}) {
    b->setGeometry(x, y, kIconButton, kIconButton);
    y += kIconButton + 5;
  }
}

void Tform4::SetAlphabetWindow(QWidget* window) {
  alphabet_ = window;
  SpeedButton90->setEnabled(window != nullptr);
}

QToolButton* Tform4::SoundButton(int number) const {
  if (number < 1 || number > PhonemeTable::kCount) return nullptr;
  return soundButtons_[static_cast<size_t>(number - 1)];
}

void Tform4::PlaceText(const QRect& area) {
  if (!Panel2) {  // while the frame builds itself
    LessonFrame::PlaceText(area);
    return;
  }
  Panel2->setGeometry(area);
  const int strip = std::min(stripHeight_, area.height());
  RichEdit1->setGeometry(0, 0, area.width(), area.height() - strip);
  PaintBox1->setGeometry(0, area.height() - strip, area.width(), strip);
}

void Tform4::SetStripHeight(int height) {
  stripHeight_ = height;
  FormResize();
}

const QImage& Tform4::Picture(int position) const {
  static const QImage none;
  return context().pictureTable ? context().pictureTable->at(position) : none;
}

void Tform4::DrawRightPicture(int position) {
  PaintBox1->DrawPicture(Picture(position), QPoint(PaintBox1->width() - kRightPictureOffset, kPictureTop));
}

void Tform4::DrawLeftPicture(int position) {
  PaintBox1->DrawPicture(Picture(position), QPoint(PaintBox1->width() - kLeftPictureOffset, kPictureTop));
}

void Tform4::DrawSymbolBox(const std::string& code) {
  const int w = PaintBox1->width();
  PaintBox1->DrawPicture(Picture(0), QPoint(w - kLeftPictureOffset, kSymbolBoxTop));
  if (!code.empty())
    PaintBox1->DrawLabel(ToQ(code), SymbolFont(), kSymbolInk, kSymbolPaper, QPoint(w - kSymbolOffset, kSymbolTop));
}

void Tform4::DrawCaption() {
  PaintBox1->DrawLabel("Положение органов речи", CaptionFont(), kCaptionInk, kCaptionPaper, kCaptionAt);
}

void Tform4::PaintBox1Paint() {
  if (rightPicture_ != 0) DrawRightPicture(rightPicture_);
  if (leftPicture_ != 0) DrawLeftPicture(leftPicture_);
  DrawSymbolBox(shownSymbol_);
  DrawCaption();
}

void Tform4::SoundClick(int number) {
  const Phoneme* row = PhonemeTable::Number(number);
  if (!row) return;
  // A new press cuts the waits of the last one short: its second pair never comes.
  const unsigned press = ++presses_;
  startTimer_.stop();
  pauseTimer_.stop();
  sounding_ = row;

  SetStripHeight(kSoundStripHeight);
  QCoreApplication::processEvents();
  if (press != presses_) return;  // another press or the description took over
  DrawRightPicture(row->beforeRight);
  DrawLeftPicture(row->beforeLeft);
  shownSymbol_ = row->code;
  DrawSymbolBox(shownSymbol_);
  DrawCaption();

  RichEdit1->hide();
  renderer().clear();
  RichEdit1->selectAll();
  RichEdit1->SetSelectionSize(kNoteSize);
  WriteSoundNote(*row);
  ForgetShownText();  // the description button renders the description again
  RichEdit1->show();
  QCoreApplication::processEvents();
  if (press != presses_) return;
  startTimer_.start(kStartDelayMs);
}

void Tform4::WriteSoundNote(const Phoneme& row) {
  renderer().putmarkupln(QString());
  renderer().putmarkupln(QString());
  renderer().putmarkupln("#5" + ToQ(std::string(row.code)));
  renderer().putmarkupln(QString());
  char file[16];
  std::snprintf(file, sizeof file, "\\s%02d.txt", row.number);
  const std::string path = context().dataDir.Path(layout().textFolder + file);
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    ReportTextError(QString("Не удалось прочитать файл %1").arg(QString::fromStdString(path)));
    return;
  }
  RichPane::Batch batch(*RichEdit1);
  ForEachLine(std::string_view(bytes), [this](std::string_view line) { renderer().putmarkupln(ToQ(line)); });
}

void Tform4::StartSound() {
  if (!sounding_) return;
  if (context().pickHandlers.play) context().pickHandlers.play(sounding_->entry);
  pauseTimer_.start(sounding_->pauseMs);
}

void Tform4::ShowDuringPictures() {
  if (!sounding_) return;
  DrawRightPicture(sounding_->duringRight);
  DrawLeftPicture(sounding_->duringLeft);
  rightPicture_ = sounding_->duringRight;
  leftPicture_ = sounding_->duringLeft;
  sounding_ = nullptr;
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

void Tform4::TextRendered(int id) {
  if (id != kDescriptionId) return;
  // The description folds the strip away and forgets the pictures, also those of
  // a sound still waiting for its second pair.
  ++presses_;
  startTimer_.stop();
  pauseTimer_.stop();
  sounding_ = nullptr;
  rightPicture_ = 0;
  leftPicture_ = 0;
  SetStripHeight(kCollapsedStripHeight);
}

void Tform4::SpeedButton44Click() {
  if (!alphabet_) return;
  alphabet_->show();
  alphabet_->raise();
  alphabet_->activateWindow();
  alphabet_->setFocus();
}

}  // namespace lx
