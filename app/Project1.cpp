#include "Project1.h"

#include "app/core/errors.h"
#include "app/core/qtext.h"
#include "errorbox.h"
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
  CreateLesson6Window();
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
  form10_->SetVerbListLoader([form16](const std::string& path) { form16->ShowList(path); });
}

void Project1::ShowMain() { form1_->show(); }

int RunLexitar(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Lexitar");
  QApplication::setQuitOnLastWindowClosed(false);
  Project1 program(DataDir::OfExecutable());
  if (program.quitAtOnce()) return 0;
  program.ShowMain();
  return QApplication::exec();
}

}  // namespace lx
