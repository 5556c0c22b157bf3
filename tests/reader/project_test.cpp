#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/core/errors.h"
#include "app/core/cp1251.h"
#include "reader/project.h"

namespace {

using lx::AudioEntry;
using lx::ControlPoint;
using lx::ReaderProject;

bool AllOpen(const std::string&) { return true; }

ReaderProject Parse(std::string_view text, const std::string& folder = "/p") {
  ReaderProject p;
  lx::ParseProject(text, folder, p, AllOpen);
  return p;
}

TEST(ReaderProject, TextToAudioInterpolatesAndExtrapolates) {
  AudioEntry e;
  e.points = {{100, 1000, ""}, {200, 3000, ""}};
  EXPECT_EQ(lx::TextToAudio(e, 150), 2000);
  EXPECT_EQ(lx::TextToAudio(e, 50), 0);
  EXPECT_EQ(lx::TextToAudio(e, 250), 4000);
  EXPECT_EQ(lx::TextToAudio(e, 100), 1000);
  e.points.push_back({300, 3500, ""});
  EXPECT_EQ(lx::TextToAudio(e, 250), 3250);
  EXPECT_EQ(lx::TextToAudio(e, 400), 4000);
  // 0.5 steps round to even: 1000 + 1.5 and 1000 + 2.5.
  e.points = {{0, 1000, ""}, {2, 1001, ""}};
  EXPECT_EQ(lx::TextToAudio(e, 3), 1002);
  EXPECT_EQ(lx::TextToAudio(e, 5), 1002);
  // Equal positions give the lower point's audio; one or no point is safe.
  e.points = {{10, 500, ""}, {10, 900, ""}};
  EXPECT_EQ(lx::TextToAudio(e, 99), 500);
  e.points = {{10, 500, ""}};
  EXPECT_EQ(lx::TextToAudio(e, 99), 500);
  e.points.clear();
  EXPECT_EQ(lx::TextToAudio(e, 99), 0);
}

TEST(ReaderProject, RangeWidthField) {
  const std::pair<int32_t, int32_t> loaded[] = {{7500, 8000}, {6500, 6000}, {10000, 10000},
                                                {499, 0},     {-7500, 8000}, {2147483647, 2147483000}};
  for (const auto& [line3, width] : loaded) {
    EXPECT_EQ(Parse("\r\n\r\n" + std::to_string(line3) + "\r\n0\r\n0\r\n").rangeWidth, width)
        << line3;
  }
  EXPECT_EQ(lx::RangeWidthFromText("1a2", 5), 12000);
  EXPECT_EQ(lx::RangeWidthFromText("-3", 5), 3000);
  EXPECT_EQ(lx::RangeWidthFromText("", 5), 5);
  EXPECT_EQ(lx::RangeWidthFromText("abc", 5), 5);
  EXPECT_EQ(lx::RangeWidthFromText("99999999999999999999", 5), 2147483000);
}

TEST(ReaderProject, LeadingNumbers) {
  EXPECT_EQ(lx::LeadingInt("12 and more"), 12);
  EXPECT_EQ(lx::LeadingInt("  -40x"), -40);
  EXPECT_EQ(lx::LeadingInt("+7"), 7);
  EXPECT_EQ(lx::LeadingInt("-2147483648"), INT32_MIN);
  for (const char* bad : {"", "abc", "-", " x1", "2147483648", "-2147483649", "99999999999999"})
    EXPECT_THROW(lx::LeadingInt(bad), lx::ConvertError) << bad;
  // The message quotes a short head of the line, however long the line or its number.
  for (const std::string& line : {std::string(100000, 'q'), std::string(100000, '9')}) {
    std::string message;
    try {
      lx::LeadingInt(line);
    } catch (const lx::ConvertError& e) {
      message = e.what();
    }
    EXPECT_FALSE(message.empty());
    EXPECT_LT(message.size(), 100u);
  }
}

TEST(ReaderProject, FiveLinesGiveNoEntries) {
  const ReaderProject p = Parse("en.txt\r\nru\\ru.txt\r\n10000\r\n17\r\n-3\r\n");
  EXPECT_EQ(p.englishPath, "/p/en.txt");
  EXPECT_EQ(p.russianPath, "/p/ru/ru.txt");
  EXPECT_EQ(p.englishBookmark, 17);
  EXPECT_EQ(p.russianBookmark, -3);
  EXPECT_TRUE(p.entries.empty());
  EXPECT_EQ(p.currentEntry, 0);
}

TEST(ReaderProject, EntriesAndVerbatimTextLines) {
  const ReaderProject p = Parse(
      "\r\n\r\n5000\r\n0\r\n0\r\n"
      "9\r\n9\r\norphan point\r\n"
      "***\r\n..\\audio\\one.mp3\r\n"
      "10\r\n100 ms\r\n***\r\n"
      "20\r\n200\r\nsome text\r\n"
      "***\r\nC:\\Books\\two.wav\r\n");
  EXPECT_EQ(p.englishPath, "");
  ASSERT_EQ(p.entries.size(), 2u);
  EXPECT_EQ(p.currentEntry, 1);
  EXPECT_EQ(p.entries[0].path, "/audio/one.mp3");
  EXPECT_EQ(p.entries[0].name, "one.mp3");
  EXPECT_TRUE(p.entries[0].available);
  const std::vector<ControlPoint> points = {{10, 100, "***"}, {20, 200, "some text"}};
  EXPECT_EQ(p.entries[0].points, points);
  EXPECT_EQ(p.entries[1].path, "C:/Books/two.wav");
  EXPECT_EQ(p.entries[1].name, "two.wav");
}

TEST(ReaderProject, BadFilesStopWithAnErrorAndKeepWhatWasRead) {
  struct Case {
    const char* text;
    size_t entries;
    size_t pointsOfLast;
    bool convertError;
  };
  const Case cases[] = {
      {"", 0, 0, true},
      {"a\r\nb\r\n1000\r\n", 0, 0, true},
      {"\r\n\r\nten\r\n0\r\n0\r\n***\r\nx.mp3\r\n", 0, 0, true},
      // The last point cut after its first line.
      {"\r\n\r\n1000\r\n0\r\n0\r\n***\r\nx.mp3\r\n1\r\n2\r\nt\r\n3", 1, 1, true},
      // A cut text line just reads empty.
      {"\r\n\r\n1000\r\n0\r\n0\r\n***\r\nx.mp3\r\n1\r\n2", 1, 1, false},
      {"\r\n\r\n1000\r\n0\r\n0\r\n***\r\nx.mp3\r\n1\r\n4294967296\r\nt\r\n", 1, 0, true},
      {"\r\n\r\n1000\r\n0\r\n0\r\n***\r\nx.mp3\r\n1\r\n2\r\nt\r\n\r\n", 1, 1, true},
      {"\r\n\r\n1000\r\n0\r\n0\r\n***", 1, 0, false},
      // A line before the first audio file that is no number stops the load; it does
      // not swallow the "***" after it.
      {"\r\n\r\n1000\r\n0\r\n0\r\nchapter\r\n***\r\nx.mp3\r\n", 0, 0, true},
      {"\r\n\r\n1000\r\n0\r\n0\r\n5\r\n***\r\nx.mp3\r\n", 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ReaderProject p;
    p.AddAudioEntry("/old.mp3");
    p.AddAudioEntry("/old2.mp3");
    bool threw = false;
    try {
      lx::ParseProject(c.text, "/p", p, AllOpen);
    } catch (const lx::ConvertError&) {
      threw = true;
    }
    EXPECT_EQ(threw, c.convertError);
    ASSERT_EQ(p.entries.size(), c.entries);
    EXPECT_EQ(p.currentEntry, c.entries ? 1 : 0);
    if (c.entries) {
      EXPECT_EQ(p.entries.back().points.size(), c.pointsOfLast);
    }
  }
}

TEST(ReaderProject, LimitsStopTheLoad) {
  std::string text = "\r\n\r\n1000\r\n0\r\n0\r\n";
  for (int i = 0; i < 101; ++i) text += "***\r\na.mp3\r\n";
  ReaderProject p;
  EXPECT_THROW(lx::ParseProject(text, "/p", p, AllOpen), lx::ProjectFormatError);
  EXPECT_EQ(p.entries.size(), ReaderProject::kMaxEntries);
  EXPECT_FALSE(p.AddAudioEntry("/b.mp3"));

  text = "\r\n\r\n1000\r\n0\r\n0\r\n***\r\na.mp3\r\n";
  for (int i = 0; i < 10001; ++i) text += "1\r\n2\r\nt\r\n";
  EXPECT_THROW(lx::ParseProject(text, "/p", p, AllOpen), lx::ProjectFormatError);
  ASSERT_EQ(p.entries.size(), 1u);
  EXPECT_EQ(p.entries[0].points.size(), ReaderProject::kMaxPoints);
  EXPECT_EQ(p.InsertControlPoint(5, 5, "text"), 0);
}

TEST(ReaderProject, RelativePaths) {
  struct Case {
    const char* path;
    const char* folder;
    const char* written;
  };
  const Case cases[] = {
      {"/home/u/books/en.txt", "/home/u/books", "en.txt"},
      {"/home/u/books/text/en.txt", "/home/u/books", "text\\en.txt"},
      {"/home/u/audio/a.mp3", "/home/u/books/p", "..\\..\\audio\\a.mp3"},
      {"/srv/a.mp3", "/home/u", "..\\..\\srv\\a.mp3"},
      // Folder names on Linux are case-sensitive: a folder that differs in case is another.
      {"/HOME/U/\xca\xed\xe8\xe3\xe8/en.txt", "/home/u/\xea\xed\xe8\xe3\xe8",
       "..\\..\\..\\HOME\\U\\\xca\xed\xe8\xe3\xe8\\en.txt"},
      {"/home/Books/en.txt", "/home/books", "..\\Books\\en.txt"},
      {"D:/Books/a.mp3", "C:/Work", "D:\\Books\\a.mp3"},
      {"c:/work/a.mp3", "C:/work", "a.mp3"},
      {"", "/home", ""},
  };
  for (const Case& c : cases) {
    // Paths are UTF-8 in memory and in the lines; the file's encoding is chosen on saving.
    const std::string path = lx::Cp1251ToUtf8(c.path);
    const std::string folder = lx::Cp1251ToUtf8(c.folder);
    EXPECT_EQ(lx::RelativeProjectPath(path, folder), lx::Cp1251ToUtf8(c.written)) << c.path;
  }
  EXPECT_EQ(lx::ResolveProjectPath("..\\..\\audio\\a.mp3", "/home/u/books/p"), "/home/u/audio/a.mp3");
  EXPECT_EQ(lx::ResolveProjectPath("..\\..\\..\\..\\x", "/a"), "/x");
  EXPECT_EQ(lx::ResolveProjectPath(".\\x/y", "/a"), "/a/x/y");
  EXPECT_EQ(lx::ResolveProjectPath("\\srv\\x", "/a"), "/srv/x");
  EXPECT_EQ(lx::ResolveProjectPath("\xd0\xba.txt", "/a"), "/a/\xd0\xba.txt");
}

TEST(ReaderProject, InsertAndDeletePoints) {
  ReaderProject p;
  EXPECT_EQ(p.InsertControlPoint(5, 5, "x"), 0);
  p.AddAudioEntry("/a.mp3");
  p.AddAudioEntry("/b.mp3");
  p.SelectEntry(1);
  const std::string text = "One.\r\nTwo three four.";
  EXPECT_EQ(p.InsertControlPoint(10, 1000, text), 1);
  EXPECT_EQ(p.InsertControlPoint(20, 2000, text), 2);
  EXPECT_EQ(p.InsertControlPoint(2, 200, text), 1);
  // An equal position goes before the existing point.
  EXPECT_EQ(p.InsertControlPoint(10, 999, text), 2);
  const auto& pts = p.entries[0].points;
  ASSERT_EQ(pts.size(), 4u);
  EXPECT_EQ(pts[1].audioMs, 999);
  EXPECT_EQ(pts[2].audioMs, 1000);
  EXPECT_EQ(pts[1].textLine, "One.  Two ");
  EXPECT_EQ(pts[0].textLine, "On");
  EXPECT_TRUE(p.entries[1].points.empty());

  EXPECT_FALSE(p.DeleteControlPoint(0));
  EXPECT_FALSE(p.DeleteControlPoint(5));
  EXPECT_TRUE(p.DeleteControlPoint(2));
  ASSERT_EQ(pts.size(), 3u);
  EXPECT_EQ(pts[1].audioMs, 1000);

  EXPECT_EQ(lx::ControlPointLine(std::string(100, 'a') + "bc", 102), std::string(68, 'a') + "bc");
  EXPECT_EQ(lx::ControlPointLine("abc", 50), "abc");
  EXPECT_EQ(lx::ControlPointLine("abc", -5), "");
}

TEST(ReaderProject, RemovingEntries) {
  ReaderProject p;
  p.RemoveCurrentEntry();
  for (const char* f : {"/a/1.mp3", "/a/2.mp3", "/a/3.mp3"}) p.AddAudioEntry(f);
  p.SelectEntry(1);
  p.RemoveCurrentEntry();
  EXPECT_EQ(p.currentEntry, 1);
  EXPECT_EQ(p.current()->name, "2.mp3");
  p.SelectEntry(2);
  p.RemoveCurrentEntry();
  EXPECT_EQ(p.currentEntry, 1);
  p.ChangeCurrentPath("/b/new.wav");
  EXPECT_EQ(p.current()->name, "new.wav");
  p.RemoveCurrentEntry();
  EXPECT_EQ(p.currentEntry, 0);
  EXPECT_EQ(p.current(), nullptr);
  EXPECT_FALSE(p.SelectEntry(1));
}

TEST(ReaderProject, FileNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"book", "book.acp"}, {"BOOK.ACP", "BOOK.ACP"}, {"a.c", "a.c.acp"}, {"acp", "acp.acp"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(lx::WithAcpExtension(in), out);
}

TEST(ReaderProject, SaveAndLoadKeepsEverything) {
  const auto root = std::filesystem::temp_directory_path() /
                    ("lexitar-acp-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "proj");
  std::filesystem::create_directories(root / "audio");
  const std::string audio = (root / "audio" / "ch1.mp3").string();
  std::ofstream(audio) << "x";

  ReaderProject p;
  p.englishPath = (root / "proj" / "en.txt").string();
  p.russianPath = (root / "ru.txt").string();
  p.rangeWidth = 12000;
  p.englishBookmark = 345;
  p.russianBookmark = -1;
  p.AddAudioEntry(audio);
  p.InsertControlPoint(3, 1500, "abc***");
  p.InsertControlPoint(6, 2500, "abc***");
  p.AddAudioEntry((root / "gone.mp3").string());
  const std::string file = (root / "proj" / "book.acp").string();
  lx::SaveProject(file, p);

  ReaderProject back;
  lx::LoadProject(file, back);
  EXPECT_EQ(back.englishPath, p.englishPath);
  EXPECT_EQ(back.russianPath, p.russianPath);
  EXPECT_EQ(back.rangeWidth, 12000);
  EXPECT_EQ(back.englishBookmark, 345);
  EXPECT_EQ(back.russianBookmark, -1);
  ASSERT_EQ(back.entries.size(), 2u);
  EXPECT_EQ(back.entries[0], p.entries[0]);
  EXPECT_EQ(back.entries[0].points[1].textLine, "abc***");
  EXPECT_EQ(back.entries[1].path, p.entries[1].path);
  EXPECT_FALSE(back.entries[1].available);
  EXPECT_EQ(back.currentEntry, 1);

  EXPECT_THROW(lx::LoadProject((root / "none.acp").string(), back), lx::FileError);
  EXPECT_THROW(lx::SaveProject((root / "no" / "x.acp").string(), p), lx::FileError);
  std::filesystem::remove_all(root);
}

// Folders that differ only in letter case, and paths the Windows-1251 code page
// cannot hold, come back as the same files.
TEST(ReaderProject, PathsRoundTripOnLinux) {
  const auto root = std::filesystem::temp_directory_path() /
                    ("lexitar-acp-case-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root / "Books");
  std::filesystem::create_directories(root / "books");
  struct Case {
    const char* english;   // under root
    const char* audio;
    bool cp1251File;       // the file stays Windows-1251
  };
  const Case cases[] = {
      {"books/en.txt", "books/\xd0\xba\xd0\xbd\xd0\xb8\xd0\xb3\xd0\xb0.mp3", true},
      {"books/Gr\xc3\xbc\xc3\x9f.txt", "Books/\xe6\x9c\xac.wav", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.english);
    ReaderProject p;
    p.englishPath = (root / c.english).string();
    p.russianPath = (root / "Books" / "ru.txt").string();
    p.AddAudioEntry((root / c.audio).string());
    p.InsertControlPoint(6, 900, "\xcf\xf0\xe8\xe2\xe5\xf2 text");
    const std::string file = (root / "Books" / "p.acp").string();
    lx::SaveProject(file, p);
    std::string bytes;
    std::ifstream in(file, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(bytes.find("\xcf\xf0\xe8\xe2\xe5\xf2") != std::string::npos, c.cp1251File);
    ReaderProject back;
    lx::LoadProject(file, back);
    EXPECT_EQ(back.englishPath, p.englishPath);
    EXPECT_EQ(back.russianPath, p.russianPath);
    ASSERT_EQ(back.entries.size(), 1u);
    EXPECT_EQ(back.entries[0].path, p.entries[0].path);
    EXPECT_EQ(back.entries[0].points, p.entries[0].points);
  }
  std::filesystem::remove_all(root);
}

}  // namespace
