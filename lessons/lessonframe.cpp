#include "lessons/lessonframe.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollBar>
#include <cstdio>

#include "app/centre.h"
#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "dictionary/Unit9.h"
#include "lessons/framebutton.h"
#include "text/Unit21.h"
#include "text/icons.h"
#include "text/picturetable.h"

namespace lx {
namespace {

const QColor kPanelColour(220, 249, 216);  // stored 14219740
const QColor kPurple(0x80, 0x00, 0x80);
constexpr int kMargin = 8;
constexpr int kTopicWidth = 201;
constexpr int kTopicHeight = 33;
constexpr int kTopicStep = 40;
constexpr int kIconButton = 33;
constexpr int kIconSize = 24;
constexpr int kTopicIconMargin = 20;

FrameButton* MakeButton(QWidget* parent, const char* name, const QString& caption, Icon icon,
                        const QColor& colour, const QString& hint) {
  auto* button = new FrameButton(caption, DrawIcon(icon, caption.isEmpty() ? kIconSize : 20), colour, parent);
  button->setObjectName(name);
  if (!hint.isEmpty()) button->setToolTip(hint);
  return button;
}

}  // namespace

LessonFrame::LessonFrame(LessonLayout layout, LessonContext context, QWidget* parent)
    : QWidget(parent, Qt::Window), layout_(std::move(layout)), context_(std::move(context)) {
  setObjectName(layout_.objectName);
  setWindowTitle(layout_.caption);
  resize(layout_.size);
  BuildControls();
  static const SettingsSlots kNoSettings;
  const SettingsSlots& settings = context_.settings ? *context_.settings : kNoSettings;
  PictureProvider pictures;
  if (context_.pictureTable && layout_.pictures) pictures = PicturesOf(*context_.pictureTable, *layout_.pictures);
  renderer_ = std::make_unique<MarkupRenderer>(*RichEdit1, layout_.styles ? *layout_.styles : styles::lesson3(),
                                               settings, std::move(pictures));
  static const SoundIndex kNoSounds;
  picker_ = new PanePicker(*RichEdit1, context_.soundIndex ? *context_.soundIndex : kNoSounds, WordChars::Standard,
                           context_.pickHandlers);
  FormCreate();
}

LessonFrame::~LessonFrame() = default;

void LessonFrame::BuildControls() {
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setAutoFillBackground(true);
  QPalette panel = Panel1->palette();
  panel.setColor(QPalette::Window, kPanelColour);
  Panel1->setPalette(panel);

  SpeedButton1 = MakeButton(Panel1, layout_.descriptionName, layout_.descriptionCaption, Icon::Lesson, kPurple,
                            layout_.descriptionHint);
  SpeedButton1->setGeometry(kMargin, 12, 89, 25);
  static_cast<FrameButton*>(SpeedButton1)->SetIconMargin(3);
  connect(SpeedButton1, &QToolButton::clicked, this, &LessonFrame::SpeedButton1Click);

  SpeedButton40 = MakeButton(Panel1, layout_.helpName, QString(), Icon::Help, QColor(), "Окно помощи");
  SpeedButton41 = MakeButton(Panel1, layout_.dictionaryName, QString(), Icon::Dictionary, QColor(), "Окно словаря");
  SpeedButton42 = MakeButton(Panel1, layout_.settingsName, QString(), Icon::Settings, QColor(), "Окно настроек");
  int x = kMargin + kTopicWidth - 3 * kIconButton - 4;
  for (QToolButton* b : {SpeedButton40, SpeedButton41, SpeedButton42}) {
    b->setGeometry(x, 8, kIconButton, kIconButton);
    x += kIconButton + 2;
  }
  SpeedButton41->setCheckable(true);
  SpeedButton42->setCheckable(true);
  connect(SpeedButton40, &QToolButton::clicked, this, &LessonFrame::SpeedButton40Click);
  connect(SpeedButton41, &QToolButton::clicked, this, &LessonFrame::SpeedButton41Click);
  connect(SpeedButton42, &QToolButton::clicked, this, &LessonFrame::SpeedButton42Click);

  int y = layout_.firstTopicTop;
  for (const TopicButton& topic : layout_.topics) {
    auto* button = MakeButton(Panel1, topic.name, topic.caption, topic.icon, topic.colour, QString());
    button->SetIconMargin(kTopicIconMargin);
    button->setGeometry(kMargin, y, kTopicWidth, kTopicHeight);
    const int id = topic.id;
    connect(button, &QToolButton::clicked, this, [this, id] { ShowTopic(id); });
    topicButtons_.push_back(button);
    y += kTopicStep;
  }

  SpeedButton4 = MakeButton(Panel1, layout_.exercisesName, "Упражнения", Icon::Exercises, kPurple, layout_.exercisesHint);
  static_cast<FrameButton*>(SpeedButton4)->SetIconMargin(6);
  SpeedButton4->setGeometry(kMargin, y + 4, 153, 25);
  connect(SpeedButton4, &QToolButton::clicked, this, &LessonFrame::SpeedButton4Click);
  CloseButton = MakeButton(Panel1, layout_.closeName, QString(), Icon::Close, QColor(), layout_.closeHint);
  CloseButton->setGeometry(kMargin + kTopicWidth - kIconButton, y, kIconButton, kIconButton);
  connect(CloseButton, &QToolButton::clicked, this, &LessonFrame::Button1Click);

  RichEdit1 = new RichPane(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RichEdit1->viewport()->setCursor(Qt::PointingHandCursor);
  QFont face("Georgia", layout_.paneFontPoints);
  face.setBold(true);
  RichEdit1->setFont(face);
  RichEdit1->document()->setDefaultFont(face);

  UpdateExercisesButton();
  SpeedButton40->setEnabled(context_.help != nullptr);
  SpeedButton41->setEnabled(context_.dictionary != nullptr);
  SpeedButton42->setEnabled(context_.settingsWindow != nullptr);
  if (context_.dictionary) context_.dictionary->EnrolToggle(SpeedButton41);
  if (context_.help) context_.help->RegisterCaretPane(RichEdit1);
  FormResize();
}

void LessonFrame::FormCreate() {
  RichEdit1->SetFirstLineIndent(5);
  CentreOnScreen(*this);
  if (context_.settings && context_.settings->get(33) == "true") SpeedButton41->setChecked(true);
  if (context_.settings) SetBackground(*context_.settings);
  else SetBackground(SettingsSlots());
}

void LessonFrame::SetBackground(const SettingsSlots& settings) {
  SetPaneBackground(*RichEdit1, settings, 1, kDefaultBackgroundRgb);
}

void LessonFrame::ApplySettings(const SettingsSlots& settings) { SetBackground(settings); }

void LessonFrame::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void LessonFrame::FormResize() {
  // The panel keeps its width; the pane fills the rest of the client area.
  const int panel = layout_.panelWidth;
  Panel1->setGeometry(0, 0, panel, height());
  PlaceText(QRect(panel, 0, std::max(0, width() - panel - layout_.paneRightGap), height()));
}

void LessonFrame::PlaceText(const QRect& area) { RichEdit1->setGeometry(area); }

QToolButton* LessonFrame::TopicButtonOf(int id) const {
  for (size_t i = 0; i < layout_.topics.size(); ++i)
    if (layout_.topics[i].id == id) return topicButtons_[i];
  return nullptr;
}

void LessonFrame::SpeedButton1Click() { ShowText(kDescriptionId, true); }

void LessonFrame::ShowTopic(int id) {
  if (TopicButtonOf(id)) ShowText(id, false);
}

void LessonFrame::ShowText(int id, bool description) {
  if (shownTopic_ != id || !layout_.remembersTopic || (description && layout_.rerenderDescription)) {
    shownTopic_ = id;
    RichEdit1->hide();
    renderer_->clear();
    if (description) {
      RichEdit1->selectAll();
      RichEdit1->SetSelectionSize(10);
    }
    WriteText(id);
    TextRendered(id);
    RichEdit1->SetCaretOffset(0);
    RichEdit1->ScrollCaretIntoView();
    RichEdit1->verticalScrollBar()->setValue(0);
    RichEdit1->show();
    // The first description comes while the main window opens the lesson; it
    // focuses the pane itself afterwards.
    if (!description || descriptionSeen_) RichEdit1->setFocus();
    if (description) descriptionSeen_ = true;
  }
  // Repaints only: a click still queued (the second click of a double click on the
  // main window's button, landing on this window as it opens) must not show a topic
  // or move the caret while the description is being put on the screen.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  RichEdit1->HideCaret();
}

const SettingsSlots& LessonFrame::settings() const {
  static const SettingsSlots kNoSettings;
  return context_.settings ? *context_.settings : kNoSettings;
}

bool LessonFrame::ReadText(int id, std::string& bytes) const {
  char file[16];
  std::snprintf(file, sizeof file, "\\t%02d.txt", id);
  const std::string path = context_.dataDir.Path(layout_.textFolder + file);
  if (ReadFileBytes(path, bytes)) return true;
  ReportTextError(QString("Не удалось прочитать файл %1").arg(QString::fromStdString(path)));
  return false;
}

void LessonFrame::WriteText(int id) {
  renderer_->putmarkupln(QString());
  std::string bytes;
  if (!ReadText(id, bytes)) return;
  RichPane::Batch batch(*RichEdit1);  // laid out once, when the whole text is in
  ForEachLine(std::string_view(bytes), [this](std::string_view line) { renderer_->putmarkupln(ToQ(line)); });
}

void LessonFrame::SetPracticeWindow(QWidget* window, QTextEdit* pane) {
  practiceWindow_ = window;
  practicePane_ = pane;
  UpdateExercisesButton();
}

void LessonFrame::UpdateExercisesButton() {
  const bool ready = !practiceWindow_.isNull();
  SpeedButton4->setEnabled(ready);
  SpeedButton4->setToolTip(ready ? layout_.exercisesHint
                                 : layout_.exercisesHint + " недоступны");
}

void LessonFrame::SpeedButton4Click() {
  if (!practiceWindow_) return;
  practiceWindow_->show();
  practiceWindow_->raise();
  practiceWindow_->activateWindow();
  practiceWindow_->setFocus();
  QCoreApplication::processEvents();
  if (practicePane_) practicePane_->setCursorWidth(0);
}

void LessonFrame::SpeedButton40Click() {
  if (context_.help) context_.help->newurl(layout_.helpPage);
}

void LessonFrame::SpeedButton41Click() {
  if (!context_.dictionary) return;
  if (SpeedButton41->isChecked()) context_.dictionary->op9();
  else context_.dictionary->cl9();
}

void LessonFrame::SpeedButton42Click() {
  if (context_.settingsWindow) context_.settingsWindow->setVisible(SpeedButton42->isChecked());
}

void LessonFrame::Button1Click() { close(); }

void LessonFrame::OpenFromMain() {
  show();
  raise();
  activateWindow();
  SpeedButton1Click();
  RichEdit1->setFocus();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  RichEdit1->HideCaret();
}

}  // namespace lx
