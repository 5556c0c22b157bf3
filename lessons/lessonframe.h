#pragma once
// The frame every lesson window is built on: a left panel with the description,
// help, dictionary and settings buttons, the topic buttons, the exercises and the
// close buttons, and a read-only pane in which one text at a time is rendered.
// A window is described by a LessonLayout; the frame does the rest.
#include <QColor>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/core/datadir.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"
#include "text/icons.h"
#include "text/panepicker.h"
#include "text/renderer.h"
#include "text/richpane.h"
#include "text/styletables.h"

namespace lx {

class PictureTable;
class TForm21;
class Tform9;

// One topic button: its control name, caption, the id the window remembers while
// the topic is shown (the text file of id n is "tNN.txt" in the lesson's folder;
// the description is id 1), the caption's colour and the icon on its left.
struct TopicButton {
  const char* name;
  QString caption;
  int id;
  QColor colour;
  Icon icon = Icon::Topic;
};

struct LessonLayout {
  const char* objectName;          // "form10"
  QString caption;                 // "Lexitar - Lesson 3"
  QSize size;                      // initial size
  int firstTopicTop = 48;
  QString descriptionCaption;      // "Урок 3"
  QString descriptionHint;         // "Описание Урока 3"
  QString exercisesHint;           // "Упражнения Урока 3"
  const char* closeName;           // "SpeedButton8"
  QString closeHint;               // "Закрыть Урок 3"
  std::string helpPage;            // "data\\html\\les3_.html"
  std::string textFolder;          // "data\\texts\\les3"
  const StyleTable* styles = nullptr;
  const std::vector<PictureLetter>* pictures = nullptr;
  std::vector<TopicButton> topics;
  // Where a window differs from the grammar lessons: the panel's width, the names
  // of the frame's buttons, the pane's face and right edge, whether the description
  // is rendered again at every call and whether a topic shown is remembered.
  int panelWidth = 217;
  const char* descriptionName = "SpeedButton1";
  const char* exercisesName = "SpeedButton4";
  const char* helpName = "SpeedButton40";
  const char* dictionaryName = "SpeedButton41";
  const char* settingsName = "SpeedButton42";
  bool rerenderDescription = false;
  int paneFontPoints = 8;          // the pane's default face, Georgia bold
  int paneRightGap = 0;            // the pane stops this far from the right edge
  bool remembersTopic = true;      // false: every press renders its text again
};

// What a lesson window works with; everything outlives the window. A missing
// window leaves its button without effect.
struct LessonContext {
  DataDir dataDir;
  const SettingsSlots* settings = nullptr;
  const SoundIndex* soundIndex = nullptr;
  const PictureTable* pictureTable = nullptr;
  Tform9* dictionary = nullptr;       // the dictionary toggle and op9/cl9
  TForm21* help = nullptr;            // the help page and the caret timer
  QWidget* settingsWindow = nullptr;  // shown and hidden by the settings toggle
  PickHandlers pickHandlers;          // where picked words go (usually the dictionary's)
};

class LessonFrame : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPanelWidth = 217;
  static constexpr int kDescriptionId = 1;
  static constexpr uint32_t kDefaultBackgroundRgb = 0xD8E6EB;  // stored 15460056

  LessonFrame(LessonLayout layout, LessonContext context, QWidget* parent = nullptr);
  ~LessonFrame() override;

  // The description (id 1) and the topics.
  void SpeedButton1Click();
  virtual void ShowTopic(int id);
  void SpeedButton4Click();   // exercises
  void SpeedButton40Click();  // help
  void SpeedButton41Click();  // dictionary toggle
  void SpeedButton42Click();  // settings toggle
  void Button1Click();        // close: hides the window

  // How the main window opens the lesson: show it with its description, focus the pane.
  void OpenFromMain();
  // The settings window's Apply: the pane background at once; colours and size
  // take effect at the next rendering.
  void ApplySettings(const SettingsSlots& settings);

  // The practice window and its pane, once it exists; until then the exercises
  // button is disabled.
  void SetPracticeWindow(QWidget* window, QTextEdit* pane);

  int shownTopic() const { return shownTopic_; }
  bool descriptionSeen() const { return descriptionSeen_; }
  const LessonLayout& layout() const { return layout_; }
  PanePicker& picker() { return *picker_; }
  // The topic button with `id`, or nullptr.
  QToolButton* TopicButtonOf(int id) const;

  QWidget* Panel1 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton4 = nullptr;
  QToolButton* SpeedButton40 = nullptr;
  QToolButton* SpeedButton41 = nullptr;
  QToolButton* SpeedButton42 = nullptr;
  QToolButton* CloseButton = nullptr;  // named by the layout
  RichPane* RichEdit1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Runs after a text has been written into the pane, before it is shown.
  virtual void TextRendered(int /*id*/) {}
  // Lays the panel and the pane out over the client area.
  void FormResize();
  // Places the pane in `area`, the client area right of the panel.
  virtual void PlaceText(const QRect& area);
  // For windows that write into the pane themselves: the renderer over the pane, the
  // settings in use, the bytes of the text with `id` (a file that cannot be read is
  // reported and gives false), and forgetting which text is shown so that the next
  // request renders it again.
  MarkupRenderer& renderer() { return *renderer_; }
  const SettingsSlots& settings() const;
  bool ReadText(int id, std::string& bytes) const;
  void ForgetShownText() { shownTopic_ = 0; }
  const LessonContext& context() const { return context_; }

 private:
  void BuildControls();
  void FormCreate();
  // Algorithms 1 and 2 share this: rebuild the pane unless `id` is already shown.
  void ShowText(int id, bool description);
  void WriteText(int id);
  void SetBackground(const SettingsSlots& settings);
  void UpdateExercisesButton();

  LessonLayout layout_;
  LessonContext context_;
  std::unique_ptr<MarkupRenderer> renderer_;
  PanePicker* picker_ = nullptr;
  std::vector<QToolButton*> topicButtons_;
  QPointer<QWidget> practiceWindow_;
  QPointer<QTextEdit> practicePane_;
  int shownTopic_ = 0;
  bool descriptionSeen_ = false;
};

}  // namespace lx
