#include "lessons/Unit7.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <string_view>

#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "lessons/framebutton.h"

namespace lx {
namespace {

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kPanelColour(220, 249, 216);
constexpr int kLetterWidth = 57;
constexpr int kLetterHeight = 41;

LessonLayout Layout() {
  LessonLayout l;
  l.objectName = "form7";
  l.caption = "Lexitar - Lesson 2";
  l.size = QSize(688, 555);
  l.firstTopicTop = 280;
  l.descriptionName = "SpeedButton18";
  l.descriptionCaption = "Урок 2";
  l.descriptionHint = "Описание Урока 2";
  l.exercisesName = "SpeedButton20";
  l.exercisesHint = "Упражнения Урока 2";
  l.closeName = "SpeedButton4";
  l.closeHint = "Закрыть Урок 2";
  l.helpPage = "data\\html\\les2_.html";
  l.textFolder = "data\\texts\\les2";
  l.styles = &styles::lesson2();
  l.pictures = &pictures::lesson2();
  l.paneFontPoints = 12;
  l.paneRightGap = 32;  // the pane is the window's width less 249
  l.remembersTopic = false;
  l.topics = {{"SpeedButton31", "Сочетания согласных", Tform7::kConsonants, kNavy, Icon::ConsonantPair},
              {"SpeedButton32", "Сочетания с R на конце", Tform7::kWithR, kNavy, Icon::RPair},
              {"SpeedButton33", "Сочетания некоторых гласных", Tform7::kVowels, kNavy, Icon::VowelPair},
              {"SpeedButton34", "Другие сочетания", Tform7::kOthers, kNavy, Icon::OtherPair}};
  return l;
}

// "Aa" -> "A a": the heading of a letter topic.
QString LetterHeading(const char* caption) {
  const QString c = QString::fromUtf8(caption);
  return c.left(1) + " " + c.mid(1);
}

}  // namespace

const std::vector<Tform7::LetterButton>& Tform7::Letters() {
  static const std::vector<LetterButton> v{
      {"SpeedButton19", "Aa", 8, 80, 2},    {"SpeedButton21", "Ee", 8, 128, 3},   {"SpeedButton22", "Ii", 79, 80, 4},
      {"SpeedButton23", "Yy", 79, 128, 5},  {"SpeedButton24", "Oo", 150, 80, 6},  {"SpeedButton25", "Uu", 150, 128, 7},
      {"SpeedButton26", "Cc", 8, 180, 8},   {"SpeedButton27", "Gg", 79, 180, 9},  {"SpeedButton30", "Xx", 150, 180, 10},
      {"SpeedButton28", "Ss", 8, 228, 11},  {"SpeedButton29", "Qq", 79, 228, 12},
  };
  return v;
}

Tform7::Tform7(LessonContext context, QWidget* parent) : LessonFrame(Layout(), std::move(context), parent) {
  // The strip right of the pane takes the panel's colour.
  setAutoFillBackground(true);
  QPalette own = palette();
  own.setColor(QPalette::Window, kPanelColour);
  setPalette(own);

  QFont letterFont("MS Sans Serif");
  letterFont.setPixelSize(24);
  letterFont.setBold(true);
  for (const LetterButton& l : Letters()) {
    auto* button = new FrameButton(QString::fromUtf8(l.caption), QPixmap(), kBlue, Panel1);
    button->setObjectName(l.name);
    button->setFont(letterFont);
    button->SetCaptionAlignment(Qt::AlignHCenter);
    button->setGeometry(l.x, l.y, kLetterWidth, kLetterHeight);
    const int id = l.id;
    connect(button, &QToolButton::clicked, this, [this, id] { ShowLetter(id); });
    letterButtons_.push_back(button);
  }

  Label1 = new QLabel(Panel1);
  Label1->setObjectName("Label1");
  QFont phonetic("PhoneticTM");
  phonetic.setPixelSize(20);
  Label1->setFont(phonetic);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setStyleSheet("color: #C80020");
  Label1->setGeometry(8, 484, 201, 36);
  Label1->setToolTip("Транскрипция последнего слова, найденного в словаре");
}

void Tform7::ShowTopic(int id) {
  if (id >= kConsonants && id <= kOthers) ShowCombination(id);
  else LessonFrame::ShowTopic(id);
}

void Tform7::WriteEntries(int id, bool firstIsHeading) {
  std::string bytes;
  if (!ReadText(id, bytes)) return;
  RichPane::Batch batch(*RichEdit1);
  bool heading = firstIsHeading;
  ForEachLine(std::string_view(bytes), [&](std::string_view line) {
    if (line.empty()) return;
    if (heading) {
      renderer().putmarkupln(ToQ(line));
      heading = false;
      return;
    }
    renderer().putfragln(QString(), 1);
    renderer().putmarkupln(ToQ(line));
  });
}

void Tform7::ShowLetter(int id) {
  const LetterButton* letter = nullptr;
  for (const LetterButton& l : Letters())
    if (l.id == id) letter = &l;
  if (!letter) return;
  RichEdit1->hide();
  renderer().clear();
  renderer().putmarkupln(QString());
  renderer().putfragln(QString(), 1);
  renderer().putfragln(LetterHeading(letter->caption), 5);
  // The heading takes the size of the transcriptions.
  RichEdit1->selectAll();
  RichEdit1->SetSelectionSize(renderer().BaseSize() + 2);
  RichEdit1->SetCaretOffset(0);
  WriteEntries(id, false);
  renderer().putfragln(QString(), 1);
  FinishTopic();
}

void Tform7::ShowCombination(int id) {
  RichEdit1->hide();
  renderer().clear();
  renderer().putmarkupln(QString());
  renderer().putfragln(QString(), 1);
  WriteEntries(id, true);
  renderer().putfragln(QString(), 1);
  // Three topics start at their top and take the focus; the one with R is only shown.
  if (id != kWithR) {
    RichEdit1->SetCaretOffset(0);
    RichEdit1->ScrollCaretIntoView();
    RichEdit1->verticalScrollBar()->setValue(0);
    RichEdit1->show();
    RichEdit1->setFocus();
  }
  FinishTopic();
}

void Tform7::FinishTopic() {
  RichEdit1->show();
  QCoreApplication::processEvents();
  RichEdit1->HideCaret();
}

}  // namespace lx
