#include "Project1.h"

#include <cstdio>
#include <cstdlib>

#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "app/core/textfile.h"
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
  SharedData& shared = form1_->shared();
  DictionaryContext dictionary;
  dictionary.dictTable = &shared.dictTable;
  dictionary.dict2Table = &shared.dict2Table;
  dictionary.soundIndex = &shared.soundIndex;
  LoadWordForms();
  dictionary.wordForms = &wordForms_;
  dictionary.sound = &form1_->sound();
  dictionary.settings = &shared.settingsSlots;
  dictionary.lesson6List = &lesson6List_;
  dictionary.soundPictures = form1_->ImageList1();
  // The dictionary's default width is the lesson 1 window's left edge; that window
  // comes later here (its buttons use the dictionary) and stands where it is created.
  dictionary.lesson1Left = Tform4::CreatedPlace().x();
  form9_ = std::make_unique<Tform9>(dictionary);
  form1_->OnShutdownGather([form9 = form9_.get()](SettingsSlots& stored) { form9->GatherSlots(stored); });
  // The settings and HTML windows come before the lesson windows, whose buttons use them.
  form17_ = std::make_unique<TForm17>(form1_->shared().settingsSlots);
  form21_ = std::make_unique<TForm21>(form1_->dataDir());
  form1_->SetPageOpener([form21 = form21_.get()](const std::string& page) { form21->newurl(page); });
  CreateLessonWindows();
  CreateReader();
  form18_ = std::make_unique<TForm18>();
  CreateLesson6Window();
}

void Project1::CreateReader() {
  SharedData& shared = form1_->shared();
  ReaderContext context;
  context.dataDir = shared.dataDir;
  context.settings = &shared.settingsSlots;
  context.soundIndex = &shared.soundIndex;
  context.dictionary = form9_.get();
  context.help = form21_.get();
  context.settingsWindow = form17_.get();
  context.wordList = &lesson6List_;
  context.pickHandlers = form9_->PickerHandlers();
  context.soundPictures = form1_->ImageList1();
  context.showError = ShowErrorBox;
  // Lesson 6 comes later; its grid follows the reader's word grid once it exists.
  context.selectLesson6Row = [this](int row) {
    if (form16_ && row > 0) form16_->SelectEntry(static_cast<size_t>(row));
  };
  context.progressBegin = [this](std::function<void()> cancel) { form18_->BeginCancellable(std::move(cancel)); };
  context.progressStep = [this](int percent) { form18_->gauge()->setValue(percent); };
  context.progressEnd = [this] { form18_->End(); };
  form2_ = std::make_unique<TForm2>(context);
  TForm2* reader = form2_.get();
  form17_->EnrolToggle(reader->SpeedButton11);
  form17_->OnApply([reader](const SettingsSlots& settings) { reader->ApplySettings(settings); });
  form1_->OnShutdownGather([reader](SettingsSlots& stored) { reader->GatherSlots(stored); });
  form1_->SetLessonOpener(7, [reader] {
    reader->show();
    reader->raise();
    reader->activateWindow();
  });
}

void Project1::LoadWordForms() {
  // Without the table (a data set-up older than it) the regular endings still work.
  std::string bytes;
  if (ReadFileBytes(form1_->dataDir().Path("data\\forms.txt"), bytes)) wordForms_.Load(bytes);
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
  form4_ = std::make_unique<Tform4>(context);
  form5_ = std::make_unique<Tform5>([sound = &form1_->sound()](int entry) { sound->playnums(entry); });
  form4_->SetAlphabetWindow(form5_.get());
  form6_ = std::make_unique<Tform6>(context, &form1_->sound());
  form7_ = std::make_unique<Tform7>(context);
  form9_->SetTranscriptionLabel(form7_->Label1);
  form8_ = std::make_unique<Tform8>(context, &form1_->sound());
  form10_ = std::make_unique<Tform10>(context);
  CreatePractice3(context);
  form12_ = std::make_unique<Tform12>(context);
  form13_ = std::make_unique<Tform13>(context);
  form14_ = std::make_unique<Tform14>(context);
  form15_ = std::make_unique<Tform15>(context);
  WireLesson(1, *form4_);
  WireLesson(2, *form7_);
  WireLesson(3, *form10_);
  WireLesson(4, *form12_);
  WireLesson(5, *form14_);
  form4_->SetPracticeWindow(form6_.get(), nullptr);
  form7_->SetPracticeWindow(form8_.get(), nullptr);
  WirePractice(*form12_, *form13_);
  WirePractice(*form14_, *form15_);
}

void Project1::WirePractice(LessonFrame& lesson, SentenceWindow& practice) {
  lesson.SetPracticeWindow(&practice, practice.RichEdit1);
  form17_->OnApply([&practice](const SettingsSlots& settings) { practice.ApplySettings(settings); });
}

void Project1::WireLesson(int lesson, LessonFrame& window) {
  form17_->EnrolToggle(window.SpeedButton42);
  form17_->OnApply([&window](const SettingsSlots& settings) { window.ApplySettings(settings); });
  form1_->SetLessonOpener(lesson, [&window] { window.OpenFromMain(); });
}

void Project1::CreatePractice3(const LessonContext& lesson) {
  Practice3Context context;
  context.dataDir = lesson.dataDir;
  context.settings = lesson.settings;
  context.soundIndex = lesson.soundIndex;
  context.dictionary = lesson.dictionary;
  context.help = lesson.help;
  context.pickHandlers = lesson.pickHandlers;
  form11_ = std::make_unique<Tform11>(context);
  form10_->SetPracticeWindow(form11_.get(), form11_->RichEdit1);
  form17_->OnApply([form11 = form11_.get()](const SettingsSlots& settings) { form11->ApplySettings(settings); });
}

void Project1::CreateLesson6Window() {
  SharedData& shared = form1_->shared();
  Lesson6Context context;
  context.dataDir = shared.dataDir;
  context.settings = &shared.settingsSlots;
  context.soundIndex = &shared.soundIndex;
  context.dictTable = &shared.dictTable;
  context.play = [form1 = form1_.get()](int entry) { form1->playnums(entry); };
  context.dictionary = form9_.get();
  context.help = form21_.get();
  context.settingsWindow = form17_.get();
  context.pickHandlers = form9_->PickerHandlers();
  TForm18* progress = form18_.get();
  context.progress = {[progress] { progress->Begin(); }, [progress](int done, int total) { progress->Step(done, total); },
                      [progress] { progress->End(); }};
  // Creation loads the list from "data\\w01.txt"; the shutdown stores the window's
  // slots and saves the list (never over a file that was not read completely).
  form16_ = std::make_unique<Tform16>(lesson6List_, context);
  Tform16* form16 = form16_.get();
  form17_->EnrolToggle(form16->SpeedButton42);
  form17_->OnApply([form16](const SettingsSlots& settings) { form16->ApplySettings(settings); });
  form1_->SetLessonOpener(6, [form16] { form16->OpenFromMain(); });
  form1_->OnShutdownGather([form16](SettingsSlots& stored) { form16->GatherSlots(stored); });
  form1_->OnShutdownSave([form16] { form16->SaveDefaultList(); });
  form9_->OnWordAdded([form16](size_t entry) { form16->SelectEntry(entry); });
  form9_->OnWordAdded([reader = form2_.get()](size_t entry) { reader->SelectWordRow(static_cast<int>(entry)); });
  form10_->SetVerbListLoader([form16](const std::string& path) { form16->ShowList(path); });
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
