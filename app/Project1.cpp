#include "Project1.h"

#include <cstdio>
#include <cstdlib>

#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "errorbox.h"
#include "sessionend.h"
#include "translations.h"
#include "text/renderer.h"

namespace lx {

Project1::Project1(DataDir dataDir) {
  // Markup errors in texts are shown in the same error box as start-up errors.
  SetTextErrorReporter(ShowErrorBox);
  form1_ = std::make_unique<TForm1>(std::move(dataDir));
  if (quitAtOnce()) return;
  // The other windows, each created once and hidden, in the order their creation
  // handlers rely on (each reads the settings slots loaded above).
  LoadLesson6List();
  SharedData& shared = form1_->shared();
  DictionaryContext dictionary;
  dictionary.dictTable = &shared.dictTable;
  dictionary.dict2Table = &shared.dict2Table;
  dictionary.soundIndex = &shared.soundIndex;
  dictionary.sound = &form1_->sound();
  dictionary.settings = &shared.settingsSlots;
  dictionary.lesson6List = &lesson6List_;
  dictionary.soundPictures = form1_->ImageList1();
  form9_ = std::make_unique<Tform9>(dictionary);
  form1_->OnShutdownGather([form9 = form9_.get()](SettingsSlots& stored) { form9->GatherSlots(stored); });
  // The settings and HTML windows come before the lesson windows, whose buttons use them.
  form17_ = std::make_unique<TForm17>(form1_->shared().settingsSlots);
  form21_ = std::make_unique<TForm21>(form1_->dataDir());
  form1_->SetPageOpener([form21 = form21_.get()](const std::string& page) { form21->newurl(page); });
  CreateLessonWindows();
  form18_ = std::make_unique<TForm18>();
}

void Project1::CreateLessonWindows() {
  pictureTable_.Load(form1_->dataDir());
  SharedData& shared = form1_->shared();
  LessonContext context;
  context.dataDir = shared.dataDir;
  context.settings = &shared.settingsSlots;
  context.soundIndex = &shared.soundIndex;
  context.pictureTable = &pictureTable_;
  context.dictionary = form9_.get();
  context.help = form21_.get();
  context.settingsWindow = form17_.get();
  context.pickHandlers = form9_->PickerHandlers();
  form10_ = std::make_unique<Tform10>(context);
  form12_ = std::make_unique<Tform12>(context);
  form14_ = std::make_unique<Tform14>(context);
  WireLesson(3, *form10_);
  WireLesson(4, *form12_);
  WireLesson(5, *form14_);
}

void Project1::WireLesson(int lesson, LessonFrame& window) {
  form17_->EnrolToggle(window.SpeedButton42);
  form17_->OnApply([&window](const SettingsSlots& settings) { window.ApplySettings(settings); });
  form1_->SetLessonOpener(lesson, [&window] { window.OpenFromMain(); });
}

void Project1::LoadLesson6List() {
  const std::string path = form1_->dataDir().Path("data\\w01.txt");
  try {
    LoadWordList(path, lesson6List_);
  } catch (const FileError& e) {
    // Reported like any unreadable file; the list starts empty and is written at the end.
    ShowErrorBox(ToQ(e.what()));
  }
  form1_->OnShutdownSave([this, path] { SaveWordList(path, lesson6List_); });
}

void Project1::ShowMain() { form1_->show(); }

int RunLexitar(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Lexitar");
  QApplication::setQuitOnLastWindowClosed(false);
  LoadRussianTranslations(app);
  // A signal or the session's end runs the shutdown of "Выход" once the loop runs.
  // During start-up (an error box is open) it ends the box and the start.
  TForm1* mainWindow = nullptr;
  bool endedEarly = false;
  EndOnSessionEnd([&mainWindow, &endedEarly] {
    if (!mainWindow) {
      endedEarly = true;
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
      return;
    }
    mainWindow->close();
    QCoreApplication::quit();
  });
  Project1 program(DataDir::OfExecutable());
  if (program.quitAtOnce()) return 0;
  mainWindow = program.form1();
  if (endedEarly) {
    mainWindow->Shutdown();
    return 0;
  }
  QObject::connect(&app, &QCoreApplication::aboutToQuit, mainWindow, [mainWindow] { mainWindow->Shutdown(); });
  program.ShowMain();
  const int code = QApplication::exec();
  program.form1()->Shutdown();  // already done when the main window closed
  // Everything the learner keeps is written and synced by now. The process ends
  // without waiting for the background scan of the recordings (which finishes only
  // between files) or for the audio thread; the system releases the rest.
  std::fflush(nullptr);
  std::_Exit(code);
}

}  // namespace lx
